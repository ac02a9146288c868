// The five exported functions of ravelpath.dle.
#include <hostsdk/plugin.h>

#include "course/ravelpath_classes.h"
#include "frame/library_entry.h"
#include "resources/ravelpath_resources.h"

PLUGIN_EXPORT const char* LibDescription() {
    return kRavelpathDescription;
}

PLUGIN_EXPORT int LibNumberClasses() {
    return RavelpathClassCount();
}

PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int index) {
    return RavelpathClassDesc(index);
}

PLUGIN_EXPORT unsigned long LibVersion() {
    return kRavelpathVersion;
}

PLUGIN_EXPORT int LibEntry(ModuleHandle module, unsigned reason, void* /*reserved*/) {
    return HandleLibraryEntry(module, reason, RavelpathResources());
}
