# Strict warnings for the project's own code.
function(assetpipe_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# A GoogleTest program registered with CTest.
function(assetpipe_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  assetpipe_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ASSETPIPE_SOURCE_DIR=${PROJECT_SOURCE_DIR};ASSETPIPE_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()
