# zef_sim_fixture(NAME COMn [zef-sim arguments...])
# A simulated sensor for the Windows tests of this build: a CTest fixture NAME whose setup starts
# zef-sim on the host and maps COMn of the build's Wine prefix to its terminal, and whose cleanup
# stops it. A test that talks to it takes the properties in the variable NAME_PROPERTIES:
#   FIXTURES_REQUIRED NAME, RESOURCE_LOCK NAME, and the environment ZEF_SIM_COM=COMn and
#   ZEF_SIM_CONTROL_FILE=<Windows path of the file holding the control address>. The two
#   variables come through ENVIRONMENT and ENVIRONMENT_MODIFICATION, one each, so that no list
#   separator has to survive the trip through the test discovery.
function(zef_sim_fixture name com)
  set(fixture ${CMAKE_SOURCE_DIR}/tools/sim-fixture)
  add_test(NAME ${name}.start COMMAND ${fixture} start ${CMAKE_BINARY_DIR} ${com} ${ARGN})
  add_test(NAME ${name}.stop COMMAND ${fixture} stop ${CMAKE_BINARY_DIR} ${com})
  # Both also write the prefix's list of serial ports, which the discovery tests rewrite under
  # the lock wine_serialcomm.
  set_tests_properties(${name}.start PROPERTIES FIXTURES_SETUP ${name}
    RESOURCE_LOCK "${name};wine_serialcomm")
  set_tests_properties(${name}.stop PROPERTIES FIXTURES_CLEANUP ${name}
    RESOURCE_LOCK "${name};wine_serialcomm")
  set(${name}_PROPERTIES
    FIXTURES_REQUIRED ${name}
    RESOURCE_LOCK ${name}
    ENVIRONMENT "ZEF_SIM_COM=${com}"
    ENVIRONMENT_MODIFICATION "ZEF_SIM_CONTROL_FILE=set:Z:${CMAKE_BINARY_DIR}/sim-${com}.control"
    PARENT_SCOPE)
endfunction()
