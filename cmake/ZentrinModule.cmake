# One static library per module, built from the SOURCES its folder lists (a new file goes into
# that list, so the build says exactly what it compiles). PUBLIC lists what the module's headers
# need, PRIVATE what only its sources use. Headers are included as "<folder>/Name.h" from the library's own include
# directory, which holds nothing but its folder: a module sees the headers of the modules it
# links and no others.
function(zentrin_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "zentrin_module(${name}): name SOURCES, PUBLIC or PRIVATE before "
                        "${ARG_UNPARSED_ARGUMENTS}")
  endif()
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(include_dir ${PROJECT_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${include_dir})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_dir}/${folder} SYMBOLIC)
  set(sources ${ARG_SOURCES})
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${include_dir})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  else()
    # a module whose first file has not been written yet
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${include_dir})
    target_link_libraries(${name} INTERFACE ${ARG_PUBLIC})
  endif()
endfunction()

# One GoogleTest executable per test folder, each case registered with ctest on its own (named
# "<folder>/<Suite>.<Case>"), so a failure names its test and ctest spreads the cases over the
# cores. Cases run headless.
include(GoogleTest)
function(zentrin_test_suite name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(sources ${ARG_SOURCES})
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE zentrin_test_common ${ARG_DEPS})
  # Every test file sees the same printers for Qt strings; a printer seen by only some files
  # would give one template two meanings.
  target_compile_options(test_${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/common/QtPrinters.h)
  gtest_discover_tests(test_${name}
    TEST_PREFIX "${name}/"
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 900)
  # The environment is a list, which the discovery's own PROPERTIES would split; it is set on
  # the discovered cases (test_<name>_TESTS) by a file ctest reads after the discovery's.
  set(environment_file ${CMAKE_CURRENT_BINARY_DIR}/test_${name}_environment.cmake)
  file(WRITE ${environment_file}
       "set_tests_properties(\${test_${name}_TESTS} PROPERTIES ENVIRONMENT \"QT_QPA_PLATFORM=offscreen;"
       "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;"
       "UBSAN_OPTIONS=print_stacktrace=1\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_file})
endfunction()
