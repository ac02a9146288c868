// plughost render: one camera of a scene to a PNG file, as the render utility would get it.
#include <cstdlib>
#include <memory>
#include <vector>

#include "plughost/bitmap_manager.h"
#include "plughost/commands.h"
#include "plughost/host_renderer.h"
#include "plughost/png_writer.h"
#include "plughost/scene_import.h"

namespace plughost {

namespace {

bool IsCamera(SceneNode& node, TimeValue t) {
    HostObject* obj = node.EvalWorldState(t).obj;
    return obj && obj->SuperClassID() == kCameraSuperClass;
}

// The first node in scene order (parent before children) that the test accepts.
template <typename Test>
SceneNode* FindNode(SceneNode* root, Test test) {
    std::vector<SceneNode*> pending;
    if (root) pending.push_back(root);
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        if (test(*node)) return node;
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i)
            if (SceneNode* child = node->GetChildNode(i)) pending.push_back(child);
    }
    return nullptr;
}

// Installs a bitmap manager for the diffuse maps while a render runs.
class ManagerScope {
  public:
    explicit ManagerScope(BitmapManager* manager) : previous_(TheManager) { TheManager = manager; }
    ~ManagerScope() { TheManager = previous_; }
    ManagerScope(const ManagerScope&) = delete;
    ManagerScope& operator=(const ManagerScope&) = delete;

  private:
    BitmapManager* previous_;
};

}  // namespace

bool ParseRenderSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const auto number = [](const std::string& part, int& out) {
        if (part.empty() || part.size() > 9 || part.find_first_not_of("0123456789") != part.npos)
            return false;
        out = std::atoi(part.c_str());
        return out > 0;
    };
    return number(text.substr(0, x), width) && number(text.substr(x + 1), height);
}

int RunRender(const std::string& scenePath, const std::string& outputPath,
              const RenderCommandOptions& options, std::ostream& err) {
    if (static_cast<long long>(options.width) * options.height > kMaxBitmapPixels) {
        err << "plughost: --size: " << options.width << "x" << options.height
            << " is more pixels than a bitmap may have\n";
        return kExitUsage;
    }
    SceneLoadResult loaded = OpenSceneFile(scenePath);
    for (const auto& w : loaded.warnings) err << "plughost: warning: " << w << "\n";
    if (!loaded.scene) {
        err << "plughost: " << loaded.error << "\n";
        return kExitUsage;
    }
    Scene& scene = *loaded.scene;
    SetTicksPerFrame(scene.ticksPerFrame);
    const TimeValue t =
        options.frame ? FramesToTicks(*options.frame, scene.ticksPerFrame) : scene.time;

    SceneNode* camera = nullptr;
    if (options.camera.empty()) {
        camera = FindNode(scene.root.get(), [t](SceneNode& n) { return IsCamera(n, t); });
        if (!camera) {
            err << "plughost: " << scenePath << ": the scene has no camera to render\n";
            return kExitUsage;
        }
    } else {
        camera = FindNode(scene.root.get(), [&](SceneNode& n) {
            const char* name = n.GetName();
            return name && options.camera == name && IsCamera(n, t);
        });
        if (!camera) {
            err << "plughost: " << scenePath << ": the scene has no camera named \""
                << options.camera << "\"\n";
            return kExitUsage;
        }
    }

    HostBitmapManager bitmaps(scene.folder);
    ManagerScope manager(&bitmaps);
    BitmapInfo info;
    info.SetType(kBitmapType64);
    info.SetWidth(options.width);
    info.SetHeight(options.height);
    std::unique_ptr<Bitmap, void (*)(Bitmap*)> bitmap(bitmaps.Create(&info),
                                                      [](Bitmap* b) { b->DeleteThis(); });
    if (!bitmap) {
        err << "plughost: cannot make a bitmap of " << options.width << "x" << options.height
            << " pixels\n";
        return kExitFailed;
    }
    HostRenderer renderer(scene.root.get(), err);
    if (!renderer.OpenCamera(camera, t, kRenderTypeNormal, 0, 0) ||
        !renderer.RenderFrame(t, bitmap.get(), nullptr, nullptr, nullptr))
        return kExitFailed;
    renderer.Close();

    std::vector<BitmapPixel64> pixels(static_cast<size_t>(options.width) * options.height);
    for (int y = 0; y < options.height; ++y)
        bitmap->GetPixels(0, y, options.width, &pixels[static_cast<size_t>(y) * options.width]);
    std::string error;
    if (!WritePng16(outputPath, options.width, options.height, pixels, error)) {
        err << "plughost: " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace plughost
