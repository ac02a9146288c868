#pragma once
// The library entry shared by the plug-in libraries: the operating system's load and unload
// notification.
#include <hostsdk/plugin.h>
#include <hostsdk/ui.h>

namespace frame {

// Keeps the module handle; on attach registers the library's dialog templates and pictures
// (returns 0 when that fails, so the library refuses to load) and, once per process, sets up the
// host's custom controls and the common controls; on detach unregisters them. Returns 1 otherwise.
int HandleLibraryEntry(ModuleHandle module, unsigned reason, const ResourceTable& resources);

}  // namespace frame
