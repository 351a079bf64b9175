# GoogleTest built from the distribution's sources for whichever toolchain is active,
# and one helper to register a GoogleTest program with ctest.
include(GoogleTest)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Host programs: every test case is its own ctest entry. PE32 programs: one entry
# per program, so neither building nor listing needs Wine or a display, and a run
# under Wine starts one process instead of one per case.
function(dovrin_add_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES ${ARGN} TIMEOUT 300)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 ${ARGN})
  endif()
endfunction()
