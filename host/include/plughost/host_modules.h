#pragma once
// plughost's own modules: parts of the host that bring large libraries with them (the OpenGL
// renderer, the windowed front end) live in shared objects loaded when first needed, so that
// every other run starts without loading those libraries.
#include <string>

namespace plughost {

// The folder the modules are loaded from: lib/plughost beside the build's bin folder, the
// installed module folder beside an installed bin folder, else the build's own.
std::string ModuleFolder();

// The named function of the module `fileName` (in ModuleFolder), loading the module the first
// time; null with the reason in `error`. Modules stay loaded until the process ends.
void* ModuleFunction(const std::string& fileName, const char* function, std::string& error);

}  // namespace plughost
