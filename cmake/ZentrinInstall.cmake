# What `cmake --install` puts in place: the program, its menu entry, icons, AppStream metainfo
# and man page, and a systemd user service and timer for the morning update.
include(GNUInstallDirs)

# The icon theme's PNGs are drawn at build time by the code that draws the logo in the window.
set(ZENTRIN_ICON_SIZES 48 128 256)
set(icon_dir ${CMAKE_BINARY_DIR}/icons)
add_executable(zentrin-render-icons ${PROJECT_SOURCE_DIR}/tools/render-icons/main.cpp)
target_link_libraries(zentrin-render-icons PRIVATE zentrin_app Qt6::Gui)
set(icon_files)
foreach(size ${ZENTRIN_ICON_SIZES})
  list(APPEND icon_files ${icon_dir}/${size}x${size}/com.vozaz.zentrin.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:zentrin-render-icons> ${icon_dir} ${ZENTRIN_ICON_SIZES}
  DEPENDS zentrin-render-icons
  COMMENT "Drawing the icons")
add_custom_target(zentrin_icons ALL DEPENDS ${icon_files})

configure_file(${PROJECT_SOURCE_DIR}/data/zentrin-update.service.in
               ${CMAKE_BINARY_DIR}/data/zentrin-update.service @ONLY)

install(TARGETS zentrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/com.vozaz.zentrin.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/com.vozaz.zentrin.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${ZENTRIN_ICON_SIZES})
  install(FILES ${icon_dir}/${size}x${size}/com.vozaz.zentrin.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/com.vozaz.zentrin.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/zentrin.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/data/zentrin-update.service
              ${PROJECT_SOURCE_DIR}/data/zentrin-update.timer
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zentrin)
