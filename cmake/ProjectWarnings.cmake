# Strict warnings for the project's own code. CI builds with -Werror (the default); a user whose
# compiler warns about something new can turn it off with -DASSETPIPE_WERROR=OFF.
option(ASSETPIPE_WERROR "Treat warnings in the project's own code as errors" ON)
set(ASSETPIPE_EXTRA_WARNINGS "" CACHE STRING
    "Further warning options for the project's own code (the asan preset adds -Wshadow)")

function(assetpipe_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra ${ASSETPIPE_EXTRA_WARNINGS})
  if(ASSETPIPE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
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
