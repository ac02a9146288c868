#include "render/lumenpass_classes.h"

#include "render/render_utility.h"

namespace render {

namespace {

// The utility class: every create hands out the library's single utility object.
class RenderUtilityClassDesc final : public ClassDescriptor {
  public:
    int IsPublic() override { return 1; }
    void* Create(bool /*loading*/) override {
        return static_cast<UtilityPlugin*>(&TheRenderUtility());
    }
    const char* ClassName() override { return kLumenpassDescription; }
    SuperClassId SuperClassID() override { return kUtilitySuperClass; }
    ClassId ClassID() override { return kLumenpassClassId; }
    const char* Category() override { return ""; }
};

RenderUtilityClassDesc descriptor;

}  // namespace

int LumenpassClassCount() {
    return 1;
}

ClassDescriptor* LumenpassClassDesc(int index) {
    return index == 0 ? &descriptor : nullptr;
}

}  // namespace render
