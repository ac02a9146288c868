// The five exported functions of quellstone.dle.
#include <hostsdk/plugin.h>

#include "frame/library_entry.h"
#include "resources/quellstone_resources.h"
#include "skeleton/quellstone_classes.h"

PLUGIN_EXPORT const char* LibDescription() {
    return kQuellstoneDescription;
}

PLUGIN_EXPORT int LibNumberClasses() {
    return QuellstoneClassCount();
}

PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int index) {
    return QuellstoneClassDesc(index);
}

PLUGIN_EXPORT unsigned long LibVersion() {
    return kQuellstoneVersion;
}

PLUGIN_EXPORT int LibEntry(ModuleHandle module, unsigned reason, void* /*reserved*/) {
    return HandleLibraryEntry(module, reason, QuellstoneResources());
}
