#include "render_test_host.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "render/render_batch.h"
#include "support/testing/files.h"

namespace render_test {

MemoryBitmap::MemoryBitmap(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

int MemoryBitmap::GetPixels(int x, int y, int count, BitmapPixel64* out) {
    if (x < 0 || y < 0 || y >= height_ || count < 0 || x + count > width_) return 0;
    std::copy_n(pixels_.begin() + static_cast<long>(y) * width_ + x, count, out);
    return 1;
}

int MemoryBitmap::PutPixels(int x, int y, int count, const BitmapPixel64* in) {
    if (x < 0 || y < 0 || y >= height_ || count < 0 || x + count > width_) return 0;
    std::copy_n(in, count, pixels_.begin() + static_cast<long>(y) * width_ + x);
    return 1;
}

namespace {
MemoryBitmapManager* activeManager = nullptr;
}  // namespace

void MemoryBitmap::DeleteThis() {
    if (activeManager) --activeManager->live;
    delete this;
}

Bitmap* MemoryBitmapManager::Load(BitmapInfo*, uint16_t* status) {
    if (status) *status = kBitmapStatusNotFound;
    return nullptr;
}

Bitmap* MemoryBitmapManager::Create(BitmapInfo* info) {
    if (failCreate || info->Type() != kBitmapType64) return nullptr;
    ++live;
    created.emplace_back(info->Width(), info->Height());
    return new MemoryBitmap(info->Width(), info->Height());
}

int RenderHost::Opened(RenderCall call) {
    calls.push_back(std::move(call));
    if (failOpenAt == static_cast<int>(calls.size())) return 0;
    open = true;
    return 1;
}

int RenderHost::OpenCurrentRenderer(SceneNode* camera, Viewport*) {
    RenderCall call;
    call.camera = camera && camera->GetName() ? camera->GetName() : "?";
    return Opened(call);
}

int RenderHost::OpenCurrentRenderer(ViewParams5* view) {
    RenderCall call;
    call.viewTM = view->viewTM;
    call.farClip = view->farClip;
    call.fov = view->fov;
    call.zoom = view->zoom;
    return Opened(call);
}

int RenderHost::CurrentRendererRenderFrame(TimeValue, Bitmap* bitmap, RenderProgressCallback*,
                                           float, ViewParams5*) {
    ++renders;
    if (!open) return 0;
    if (throwAt == renders) throw std::runtime_error("renderer fault");
    if (failRenderAt == renders) return 0;
    std::vector<BitmapPixel64> row(static_cast<size_t>(bitmap->Width()));
    for (int y = 0; y < bitmap->Height(); ++y) {
        for (int x = 0; x < bitmap->Width(); ++x)
            row[x] = paint ? paint(calls.back(), x, y) : Opaque(128, 128, 128);
        bitmap->PutPixels(0, y, bitmap->Width(), row.data());
    }
    return 1;
}

void RenderHost::ProgressEnd() {
    FakeHost::ProgressEnd();
    batchExistedAtEnd = std::filesystem::exists(render::kBatchFileName);
    batchAtEnd = batchExistedAtEnd ? support::testing::ReadFile(render::kBatchFileName) : "";
}

BitmapPixel64 Opaque(int r, int g, int b) {
    auto wide = [](int v) { return static_cast<uint16_t>(v * 257); };
    return {wide(r), wide(g), wide(b), 65535};
}

RenderFixture::RenderFixture() {
    utility.ResetToInitialValues();
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.Path());
    std::filesystem::create_directory(folder.Path() / "out");
    std::filesystem::create_directory(folder.Path() / "cfg");
    setenv("LUMENPASS_FAILURE_LOG", folder.File("failures.log").c_str(), 1);
    // The batch goes to a stand-in interpreter that keeps a copy and runs nothing.
    setenv("COMSPEC", ASSETPIPE_TEST_COMSPEC, 1);
    previousManager_ = TheManager;
    TheManager = &bitmaps;
    activeManager = &bitmaps;
    previousDriver_ = SetUiDriver(&driver);
    host.root = &root;
    host.plugConfigDir = folder.File("cfg");
    utility.outputPath = folder.File("out");
}

RenderFixture::~RenderFixture() {
    SetUiDriver(previousDriver_);
    TheManager = previousManager_;
    activeManager = nullptr;
    std::filesystem::current_path(previousFolder_);
    unsetenv("COMSPEC");
    unsetenv("LUMENPASS_FAILURE_LOG");
    EXPECT_EQ(bitmaps.live, 0) << "bitmaps not deleted";
    EXPECT_FALSE(host.open) << "renderer left open";
    EXPECT_EQ(utility.batchFile, nullptr);
    utility.ResetToInitialValues();
}

hostfakes::FakeNode* RenderFixture::AddCamera(const std::string& name,
                                              hostfakes::FakeNode* parent) {
    cameras_.push_back(std::make_unique<CameraObject>());
    hostfakes::FakeNode* node = (parent ? parent : &root)->AddChild(name);
    node->SetObject(cameras_.back().get());
    return node;
}

void RenderFixture::Run() {
    utility.hostInterface = &host;
    utility.settingsValid = 1;
    utility.Run();
}

std::vector<std::string> RenderFixture::OutNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "out"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace render_test
