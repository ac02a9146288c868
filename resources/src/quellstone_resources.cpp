#include "resources/quellstone_resources.h"

namespace resources {

namespace {
const DialogTemplate* const kDialogs[] = {&BoneOptionsTemplate(), &RuleEditorTemplate()};
const BitmapResource* const kBitmaps[] = {&LogoBitmap()};
const ResourceTable kTable{kDialogs, 2, kBitmaps, 1};
}  // namespace

const ResourceTable& QuellstoneResources() {
    return kTable;
}

}  // namespace resources
