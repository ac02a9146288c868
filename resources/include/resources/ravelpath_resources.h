#pragma once
// The dialog template built into ravelpath.dle.
#include <hostsdk/ui.h>

namespace resources {

const DialogTemplate& CourseOptionsTemplate();
// Everything above, as the library registers it at load.
const ResourceTable& RavelpathResources();

}  // namespace resources
