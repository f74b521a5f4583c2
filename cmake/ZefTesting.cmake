# zef_add_gtest(NAME SOURCES src... [LIBRARIES lib...] [PROPERTIES prop value...])
# A GoogleTest program whose cases CTest discovers before the run (natively, or under Wine
# through the cross-compiling emulator).
function(zef_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} gmock gtest_main)
  if(WIN32)
    # Test programs keep their console; the tool itself is a GUI program.
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES ${T_PROPERTIES})
endfunction()
