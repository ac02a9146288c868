#include "frame/plugin_state.h"

namespace frame {

namespace {
ModuleHandle module = nullptr;
HostInterface* host = nullptr;
}  // namespace

ModuleHandle LibraryModule() {
    return module;
}
void SetLibraryModule(ModuleHandle m) {
    module = m;
}
HostInterface* LibraryHost() {
    return host;
}
void SetLibraryHost(HostInterface* h) {
    host = h;
}
WindowHandle HostWindow() {
    return host ? host->GetMainWindow() : nullptr;
}

}  // namespace frame
