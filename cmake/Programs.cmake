# Programs: installed into bin/, each with a man page that help2man makes at build time from the
# program's --help and --version.
include(GNUInstallDirs)

find_program(ASSETPIPE_HELP2MAN help2man)
if(NOT ASSETPIPE_HELP2MAN)
  message(FATAL_ERROR "help2man was not found: install the Debian package help2man (${ASSETPIPE_INSTALL_HINT}).")
endif()

# assetpipe_program(TARGET SUMMARY "one line for the man page's NAME section"
#                   [HELP2MAN_OPTIONS ...])
function(assetpipe_program target)
  cmake_parse_arguments(P "" "SUMMARY" "HELP2MAN_OPTIONS" ${ARGN})
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(page ${CMAKE_BINARY_DIR}/man/man1/${name}.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man/man1
    COMMAND ${ASSETPIPE_HELP2MAN} --no-info --name=${P_SUMMARY} ${P_HELP2MAN_OPTIONS}
            --output=${page} $<TARGET_FILE:${target}>
    DEPENDS ${target}
    COMMENT "Man page of ${name}"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
