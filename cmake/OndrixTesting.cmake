# GoogleTest: the installed package natively; built from Debian's source copy
# when cross-compiling (no MinGW build of it is packaged).
if(CMAKE_CROSSCOMPILING)
  set(ONDRIX_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ONDRIX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest 1.11 and later define these names themselves.
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# ondrix_add_test(NAME SOURCES ... LIBS ...): one test executable, registered
# as one CTest test. Under Wine each start costs seconds, so a whole suite
# runs in one process.
function(ondrix_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "ONDRIX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
