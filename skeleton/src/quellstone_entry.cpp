// The five exported functions of quellstone.dle.
#include <hostsdk/plugin.h>

#include "frame/library_entry.h"
#include "resources/quellstone_resources.h"
#include "skeleton/quellstone_classes.h"

PLUGIN_EXPORT const char* LibDescription() {
    return skeleton::kQuellstoneDescription;
}

PLUGIN_EXPORT int LibNumberClasses() {
    return skeleton::QuellstoneClassCount();
}

PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int index) {
    return skeleton::QuellstoneClassDesc(index);
}

PLUGIN_EXPORT unsigned long LibVersion() {
    return skeleton::kQuellstoneVersion;
}

PLUGIN_EXPORT int LibEntry(ModuleHandle module, unsigned reason, void* /*reserved*/) {
    return frame::HandleLibraryEntry(module, reason, resources::QuellstoneResources());
}
