# Finding what the build needs. A missing dependency stops the configure step with the name of
# the Debian package that provides it, instead of a compiler or linker error later on;
# scripts/install-deps.sh installs every package that packages.txt lists.

set(ASSETPIPE_INSTALL_HINT "scripts/install-deps.sh installs every package packages.txt lists")

# assetpipe_find_package(NAME DEBIAN package [find_package arguments...])
macro(assetpipe_find_package name)
  cmake_parse_arguments(_dep "" "DEBIAN" "" ${ARGN})
  find_package(${name} QUIET ${_dep_UNPARSED_ARGUMENTS})
  if(NOT ${name}_FOUND)
    message(FATAL_ERROR
      "${name} was not found: install the Debian package ${_dep_DEBIAN} (${ASSETPIPE_INSTALL_HINT}).")
  endif()
endmacro()

# assetpipe_pkg_check(PREFIX MODULE DEBIAN package): a pkg-config module as an imported target
# PkgConfig::PREFIX.
macro(assetpipe_pkg_check prefix module)
  cmake_parse_arguments(_dep "" "DEBIAN" "" ${ARGN})
  if(NOT PKG_CONFIG_FOUND)
    assetpipe_find_package(PkgConfig DEBIAN pkg-config)
  endif()
  pkg_check_modules(${prefix} QUIET IMPORTED_TARGET ${module})
  if(NOT ${prefix}_FOUND)
    message(FATAL_ERROR
      "pkg-config module ${module} was not found: install the Debian package ${_dep_DEBIAN} (${ASSETPIPE_INSTALL_HINT}).")
  endif()
endmacro()

# Libraries that other packages' CMake files name by absolute path, without depending on the
# package that holds them (libassimp-dev names libz.so but does not pull in zlib1g-dev).
set(_assetpipe_file_packages
  "libz.so=zlib1g-dev"
  "libz.a=zlib1g-dev"
  "librt.a=libc6-dev")

# assetpipe_check_link_files(TARGET): every file that the imported TARGET links by absolute path
# must exist; a missing one stops the configure step with the Debian package that provides it.
function(assetpipe_check_link_files target)
  get_target_property(libs ${target} INTERFACE_LINK_LIBRARIES)
  if(NOT libs)
    return()
  endif()
  # Generator expressions such as $<$<CONFIG:DEBUG>:/usr/lib/libz.so> hold the paths too.
  string(REGEX MATCHALL "/[^;<>$]+\\.(so|a)" files "${libs}")
  list(REMOVE_DUPLICATES files)
  foreach(file IN LISTS files)
    if(EXISTS "${file}")
      continue()
    endif()
    get_filename_component(name "${file}" NAME)
    set(package "")
    foreach(pair IN LISTS _assetpipe_file_packages)
      string(REPLACE "=" ";" pair "${pair}")
      list(GET pair 0 known)
      list(GET pair 1 provider)
      if(name STREQUAL known)
        set(package "${provider}")
      endif()
    endforeach()
    if(package)
      message(FATAL_ERROR
        "${target} links ${file}, which is missing: install the Debian package ${package} (${ASSETPIPE_INSTALL_HINT}).")
    else()
      message(FATAL_ERROR
        "${target} links ${file}, which is missing: install the Debian package that holds it (apt-file search ${name}).")
    endif()
  endforeach()
endfunction()
