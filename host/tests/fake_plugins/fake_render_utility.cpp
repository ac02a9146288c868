// A utility plug-in that renders through the host's renderer calls of the interface generation
// it is built for (HOSTSDK_API_GENERATION 5 or 7), once through the scene's first camera and
// once through a view record looking along +Z from the camera's place, and reports the colour
// at the centre of each picture in a message box: "camera red, view green".
#include <string>

#include "hostsdk/bitmap.h"
#include "hostsdk/plugin.h"

namespace {

constexpr bool kNewer = kHostSdkApiGeneration >= 7;
const char* const kClassName = kNewer ? "FakeRender7" : "FakeRender5";

SceneNode* FirstCamera(SceneNode* node, TimeValue t) {
    if (!node) return nullptr;
    if (HostObject* obj = node->EvalWorldState(t).obj;
        obj && obj->SuperClassID() == kCameraSuperClass)
        return node;
    for (int i = 0; i < node->NumberOfChildren(); ++i)
        if (SceneNode* found = FirstCamera(node->GetChildNode(i), t)) return found;
    return nullptr;
}

std::string CentreColour(Bitmap* bitmap) {
    BitmapPixel64 p;
    if (!bitmap->GetPixels(bitmap->Width() / 2, bitmap->Height() / 2, 1, &p)) return "unreadable";
    if (p.a == 0) return "nothing";
    const bool r = p.r > 32768, g = p.g > 32768, b = p.b > 32768;
    return r && !g && !b ? "red" : g && !r && !b ? "green" : "other";
}

// The calls of this library's generation: the newer one passes the render type, the size and
// the region explicitly.
int Open(HostInterface* host, SceneNode* camera, ViewParams* view) {
#if HOSTSDK_API_GENERATION >= 7
    return camera ? host->OpenCurrentRenderer(camera, nullptr, kRenderTypeNormal, 0, 0)
                  : host->OpenCurrentRenderer(view, kRenderTypeNormal, 0, 0);
#else
    return camera ? host->OpenCurrentRenderer(camera, nullptr) : host->OpenCurrentRenderer(view);
#endif
}

int Render(HostInterface* host, TimeValue t, Bitmap* bitmap) {
#if HOSTSDK_API_GENERATION >= 7
    return host->CurrentRendererRenderFrame(t, bitmap, nullptr, 1.0f, nullptr, nullptr);
#else
    return host->CurrentRendererRenderFrame(t, bitmap, nullptr, 1.0f, nullptr);
#endif
}

// Opens, renders one frame and closes; the centre colour or "failed".
std::string Picture(HostInterface* host, TimeValue t, Bitmap* bitmap, SceneNode* camera,
                    ViewParams* view) {
    if (!Open(host, camera, view)) return "failed";
    const int rendered = Render(host, t, bitmap);
    host->CloseCurrentRenderer();
    return rendered ? CentreColour(bitmap) : "failed";
}

class FakeRenderUtility : public UtilityPlugin {
  public:
    void BeginEditParams(HostInterface* host, UtilityPanel*) override {
        const TimeValue t = host->GetTime();
        SceneNode* camera = FirstCamera(host->GetRootNode(), t);
        BitmapInfo info;
        info.SetType(kBitmapType64);
        info.SetWidth(32);
        info.SetHeight(24);
        Bitmap* bitmap = TheManager ? TheManager->Create(&info) : nullptr;
        if (!camera || !bitmap) {
            MessageBox(nullptr, "no camera or no bitmap", kClassName, kMbOk);
            return;
        }
        ViewParams view;  // generation 7's distance is left as it is
        view.viewTM = Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, -1}, camera->GetNodeTM(t).GetTrans());
        view.prevViewTM = view.viewTM;
        view.projection = kProjectionPerspective;
        view.nearClip = 0.0f;
        view.farClip = 9999.9f;
        view.zoom = 1.0f;
        view.fov = 1.5707964f;
        view.nearRange = view.farRange = 9999.9f;
        const std::string text = "camera " + Picture(host, t, bitmap, camera, nullptr) + ", view " +
                                 Picture(host, t, bitmap, nullptr, &view);
        bitmap->DeleteThis();
        MessageBox(nullptr, text, kClassName, kMbOk);
    }
    void EndEditParams(HostInterface*, UtilityPanel*) override {}
    void SelectionSetChanged(HostInterface*, UtilityPanel*) override {}
    void DeleteThis() override {}
    void SetStartupParam(CStr) override {}
} utility;

class Descriptor : public ClassDescriptor {
  public:
    int IsPublic() override { return 1; }
    void* Create(bool) override { return static_cast<UtilityPlugin*>(&utility); }
    const char* ClassName() override { return kClassName; }
    SuperClassId SuperClassID() override { return kUtilitySuperClass; }
    ClassId ClassID() override { return {0x7E57, static_cast<uint32_t>(kHostSdkApiGeneration)}; }
    const char* Category() override { return ""; }
} descriptor;

}  // namespace

PLUGIN_EXPORT const char* LibDescription() {
    return kClassName;
}
PLUGIN_EXPORT int LibNumberClasses() {
    return 1;
}
PLUGIN_EXPORT ClassDescriptor* LibClassDesc(int i) {
    return i == 0 ? &descriptor : nullptr;
}
PLUGIN_EXPORT unsigned long LibVersion() {
    return kNewer ? 0x0BB80700 : 0x09C40500;
}
PLUGIN_EXPORT int LibEntry(ModuleHandle, unsigned, void*) {
    return 1;
}
