# A plug-in library the host loads: named NAME.SUFFIX (no "lib" prefix), placed in the plug-in
# folder, linked only against the SDK and the C++ runtime, exporting only its entry points.
# INSTALL: the library is a deliverable and `cmake --install` puts it into the plug-in folder.
function(assetpipe_plugin target)
  cmake_parse_arguments(P "INSTALL" "SUFFIX" "SOURCES;LIBS" ${ARGN})
  add_library(${target} MODULE ${P_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".${P_SUFFIX}"
    LIBRARY_OUTPUT_DIRECTORY ${ASSETPIPE_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PRIVATE hostsdk ${P_LIBS})
  target_link_options(${target} PRIVATE
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/plugin-exports.map -Wl,--no-undefined)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/plugin-exports.map)
  assetpipe_warnings(${target})
  if(P_INSTALL)
    # Installed plug-ins find hostsdk two folders up, in lib/.
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/../..")
    install(TARGETS ${target} LIBRARY DESTINATION ${ASSETPIPE_INSTALL_PLUGIN_DIR})
  endif()
endfunction()
