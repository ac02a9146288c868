// The five exported functions of ravelpath.dle.
#include <hostsdk/plugin.h>

#include "course/ravelpath_classes.h"
#include "frame/library_entry.h"
#include "resources/ravelpath_resources.h"

PLUGIN_EXPORT const char* LibDescription() {
    return course::kRavelpathDescription;
}

PLUGIN_EXPORT int LibNumberClasses() {
    return course::RavelpathClassCount();
}

PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int index) {
    return course::RavelpathClassDesc(index);
}

PLUGIN_EXPORT unsigned long LibVersion() {
    return course::kRavelpathVersion;
}

PLUGIN_EXPORT int LibEntry(ModuleHandle module, unsigned reason, void* /*reserved*/) {
    return frame::HandleLibraryEntry(module, reason, resources::RavelpathResources());
}
