#include "frame/library_entry.h"

#include "frame/plugin_state.h"

namespace frame {

namespace {
bool controlsInitialised = false;
}  // namespace

int HandleLibraryEntry(ModuleHandle module, unsigned reason, const ResourceTable& resources) {
    SetLibraryModule(module);
    switch (reason) {
        case kReasonProcessAttach:
            if (!RegisterModuleResources(module, &resources)) return 0;
            if (!controlsInitialised) {
                controlsInitialised = true;
                InitCustomControls(module);
                InitCommonControls();
            }
            return 1;
        case kReasonProcessDetach:
            UnregisterModuleResources(module);
            return 1;
        default:
            return 1;
    }
}

}  // namespace frame
