#include "resources/ravelpath_resources.h"

namespace resources {

namespace {
const DialogTemplate* const kDialogs[] = {&CourseOptionsTemplate()};
const ResourceTable kTable{kDialogs, 1, nullptr, 0};
}  // namespace

const ResourceTable& RavelpathResources() {
    return kTable;
}

}  // namespace resources
