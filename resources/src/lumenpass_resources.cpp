#include "resources/lumenpass_resources.h"

namespace resources {

namespace {
const DialogTemplate* const kDialogs[] = {&RenderPanelTemplate()};
const BitmapResource* const kBitmaps[] = {&RenderPanelPicture()};
const ResourceTable kTable{kDialogs, 1, kBitmaps, 1};
}  // namespace

const ResourceTable& LumenpassResources() {
    return kTable;
}

}  // namespace resources
