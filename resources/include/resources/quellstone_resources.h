#pragma once
// The dialog templates and the picture built into quellstone.dle.
#include <hostsdk/ui.h>

namespace resources {

const DialogTemplate& BoneOptionsTemplate();
const DialogTemplate& RuleEditorTemplate();
const BitmapResource& LogoBitmap();
// Everything above, as the library registers it at load.
const ResourceTable& QuellstoneResources();

}  // namespace resources
