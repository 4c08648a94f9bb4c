# GoogleTest from the sources that Debian's googletest package ships, so that the
# native and the cross builds use the same framework.
set(QUORL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ${WIN32} CACHE BOOL "" FORCE)
add_subdirectory(${QUORL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Test programs under wine pass only when GoogleTest says so: a wine process whose
# connection to the wine server breaks may end half-way with exit code 0.
function(quorl_gtest_verdict)
  set_tests_properties(${ARGN} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]" FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

# quorl_add_test(NAME sources... LIBS libs...): one GoogleTest executable, each of its
# tests registered with ctest (run under wine in the win64 build).
function(quorl_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} quorl_options gtest gtest_main)
  if(CMAKE_CROSSCOMPILING)
    # One wine process for the whole executable: starting wine per case costs more
    # than the cases themselves.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS unit)
    quorl_gtest_verdict(${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
  endif()
endfunction()
