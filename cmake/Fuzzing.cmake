# libFuzzer harnesses for the readers of outside data. They build only in the `fuzz` preset
# (clang, with address and undefined-behaviour sanitizers on everything); `make fuzz` runs each
# for a set time over its checked-in seed corpus (scripts/fuzz.sh).
option(ASSETPIPE_FUZZ "Build the libFuzzer harnesses (needs clang)" OFF)

if(ASSETPIPE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz build needs clang: install the Debian packages clang and libclang-rt-14-dev, and use the fuzz preset.")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzzers.txt "")
  # `cmake --build --preset fuzz --target fuzzers` builds the harnesses and what they need only.
  add_custom_target(fuzzers)
endif()

# assetpipe_fuzzer(NAME SOURCES ... LIBS ... CORPUS folder-with-seed-inputs)
function(assetpipe_fuzzer name)
  if(NOT ASSETPIPE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzzers ${name})
  # One line per harness: its program and its seed corpus, for scripts/fuzz.sh.
  file(APPEND ${CMAKE_BINARY_DIR}/fuzzers.txt "${CMAKE_BINARY_DIR}/fuzz/${name} ${F_CORPUS}\n")
endfunction()
