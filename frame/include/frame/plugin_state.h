#pragma once
// Process-wide state of a plug-in library: its module handle and the host of the export under
// way. Each plug-in library links its own copy.
#include <hostsdk/host.h>
#include <hostsdk/ui.h>

namespace frame {

ModuleHandle LibraryModule();
void SetLibraryModule(ModuleHandle module);

// The host interface of the export in progress (null before the first export).
HostInterface* LibraryHost();
void SetLibraryHost(HostInterface* host);
// The host's main window, or none when there is no host yet.
WindowHandle HostWindow();

}  // namespace frame
