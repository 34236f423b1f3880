# The Debian package of what the install rules put in place (scripts/package makes it). Its
# dependencies are read from the program's shared libraries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vozaz")
set(CPACK_PACKAGE_CONTACT "Vozaz <zentrin@vozaz.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.vozaz.com/zentrin/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lists the stocks from $0 to $5 in a price range")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Zentrin keeps a list of every stock a web screener reports in the band from $0 to $5 and "
    "lists the ones in the price range you choose, in a sortable grid from which you remove "
    "rows, export CSV and open a quote page. zentrin --update refreshes the list without a "
    "window; a systemd user timer in /usr/share/zentrin runs it every morning.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows ask for Arial and a sans serif: these are their metric twins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
