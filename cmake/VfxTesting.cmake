# GoogleTest: the system package natively; for Windows builds, compiled from the sources that
# Debian's googletest package installs.
if(CMAKE_CROSSCOMPILING)
  set(VFX_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VFX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its warnings are not ours to fix.
  foreach(target gtest gtest_main)
    target_compile_options(${target} PRIVATE -Wno-error)
  endforeach()
  set(VFX_GTEST_MAIN GTest::gtest_main)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gtest ALIAS gtest)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# vfx_test(<name> SOURCES ... DEPENDS ...): one GoogleTest program. Natively each case is its own
# ctest test; under Wine a whole program is one test, since every process start costs a Wine
# start-up.
function(vfx_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  else()
    gtest_discover_tests(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
