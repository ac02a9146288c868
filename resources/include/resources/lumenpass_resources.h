#pragma once
// The panel template and its picture built into lumenpass.dlu and lumenpass3.dlu.
#include <hostsdk/ui.h>

namespace resources {

const DialogTemplate& RenderPanelTemplate();
const BitmapResource& RenderPanelPicture();
// Everything above, as the library registers it at load.
const ResourceTable& LumenpassResources();

}  // namespace resources
