# One GoogleTest executable per subsystem, every test case registered with CTest.
function(tallyvane_add_tests name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # Test drivers need no optimising (the libraries under test keep theirs); at -O0 they
  # compile in about half the time, which keeps CI short.
  target_compile_options(${name} PRIVATE -O0)
  # Every test file pulls in the same GoogleTest and project headers; compiling them a few
  # files at a time parses those headers once per batch, which roughly halves CI on two cores.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON)
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} tallyvane_test_support GTest::gmock GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TALLYVANE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    TALLYVANE_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/tests/data/samples")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120)
endfunction()
