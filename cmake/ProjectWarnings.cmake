# Strict warnings for the project's own code. CI builds with -Werror (the default); a user whose
# compiler warns about something new can turn it off with -DASSETPIPE_WERROR=OFF.
option(ASSETPIPE_WERROR "Treat warnings in the project's own code as errors" ON)
set(ASSETPIPE_EXTRA_WARNINGS "" CACHE STRING
    "Further warning options for the project's own code (the asan preset adds -Wshadow)")

# GCC 12's own string code trips its -Wrestrict at -O3 (GCC bug 105329, fixed in GCC 13): any
# text put in front of a std::string is reported as an overlapping copy of 2^63 bytes. Release
# builds with GCC 12 leave that one warning out rather than every such line being rewritten.
set(ASSETPIPE_GCC12_RELEASE_OPTIONS "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  set(ASSETPIPE_GCC12_RELEASE_OPTIONS "$<$<CONFIG:Release>:-Wno-restrict>")
endif()

function(assetpipe_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra ${ASSETPIPE_EXTRA_WARNINGS}
    ${ASSETPIPE_GCC12_RELEASE_OPTIONS})
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
