# Writes the build's git description into a header for --version, rewriting the header only
# when the description changed (so that an unchanged tree rebuilds nothing). Outside a git
# checkout the description is empty.
#   cmake -DSOURCE_DIR=... -DOUTPUT=.../BuildDescription.h -P BuildDescription.cmake
execute_process(
  COMMAND git describe --always --dirty --tags
  WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE description
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE result
  ERROR_QUIET)
if(NOT result EQUAL 0)
  set(description "")
endif()
set(content "#define ZENTRIN_BUILD_DESCRIPTION \"${description}\"\n")
set(old "")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL content)
  file(WRITE ${OUTPUT} "${content}")
endif()
