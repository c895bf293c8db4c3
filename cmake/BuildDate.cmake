# Writes OUTPUT, a header with the build date of this release: the day of
# SOURCE_DATE_EPOCH when it is set, otherwise the day of the commit being
# built (UTC), otherwise today. Run at every build; the file is rewritten
# only when the date changed, so nothing recompiles without need.
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -P BuildDate.cmake
set(date "")
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  string(TIMESTAMP date "%Y-%m-%d" UTC)  # string(TIMESTAMP) honours SOURCE_DATE_EPOCH
else()
  find_program(GIT_EXECUTABLE git)
  if(GIT_EXECUTABLE)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%cd --date=format-local:%Y-%m-%d
      WORKING_DIRECTORY "${SOURCE_DIR}" OUTPUT_VARIABLE date ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      set(date "")
    endif()
  endif()
  if(NOT date MATCHES "^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
    string(TIMESTAMP date "%Y-%m-%d" UTC)
  endif()
endif()
string(SUBSTRING "${date}" 0 4 year)
string(SUBSTRING "${date}" 5 2 month)
string(SUBSTRING "${date}" 8 2 day)
# Leading zeros would make octal literals.
math(EXPR year "${year}")
math(EXPR month "${month}")
math(EXPR day "${day}")
set(content "// Written by cmake/BuildDate.cmake at build time: the date of this release.
#pragma once
#define ONDRIX_BUILD_DATE_TEXT \"${date}\"
#define ONDRIX_BUILD_YEAR ${year}
#define ONDRIX_BUILD_MONTH ${month}
#define ONDRIX_BUILD_DAY ${day}
")
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
