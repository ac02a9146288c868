// The five exported functions of lumenpass.dlu and lumenpass3.dlu (one source, built once per
// host interface generation).
#include <hostsdk/plugin.h>

#include "frame/library_entry.h"
#include "render/lumenpass_classes.h"
#include "resources/lumenpass_resources.h"

PLUGIN_EXPORT const char* LibDescription() {
    return render::kLumenpassDescription;
}

PLUGIN_EXPORT int LibNumberClasses() {
    return render::LumenpassClassCount();
}

PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int index) {
    return render::LumenpassClassDesc(index);
}

PLUGIN_EXPORT unsigned long LibVersion() {
    return render::kLumenpassVersion;
}

PLUGIN_EXPORT int LibEntry(ModuleHandle module, unsigned reason, void* /*reserved*/) {
    return frame::HandleLibraryEntry(module, reason, resources::LumenpassResources());
}
