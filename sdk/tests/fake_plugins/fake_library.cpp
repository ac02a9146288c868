// Fake plug-in libraries for the loader tests; FAKE_VARIANT picks the fault.
#include "hostsdk/plugin.h"

namespace {
class FakeDescriptor : public ClassDescriptor {
  public:
    int IsPublic() override { return 1; }
    void* Create(bool) override { return nullptr; }
    const char* ClassName() override { return "FakeClass"; }
    SuperClassId SuperClassID() override { return kSceneExporterSuperClass; }
    ClassId ClassID() override { return {0x1234, 0x5678}; }
    const char* Category() override { return "Fake"; }
} descriptor;

int attaches = 0;
}  // namespace

PLUGIN_EXPORT const char* LibDescription() {
    return "Fake library";
}
PLUGIN_EXPORT int LibNumberClasses() {
    return 1;
}
PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int i) {
    return i == 0 ? &descriptor : nullptr;
}
#if FAKE_VARIANT != 1
PLUGIN_EXPORT unsigned long LibVersion() {
    return 0x01020300;
}
#endif
PLUGIN_EXPORT int LibEntry(ModuleHandle, unsigned reason, void*) {
    if (reason == kReasonProcessAttach) ++attaches;
    return FAKE_VARIANT == 2 ? 0 : 1;
}
