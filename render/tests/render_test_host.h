#pragma once
// A host for the render utility's tests: the in-memory host and scene of the export tests plus
// a renderer that paints a colour chosen per view, a bitmap manager of memory bitmaps, camera
// objects, and a fixture that gives each test a fresh utility, folder, failure log and driver.
#include <gtest/gtest.h>
#include <hostsdk/bitmap.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"
#include "frame/testing/test_support.h"
#include "render/render_utility.h"
#include "support/testing/temp_folder.h"

namespace render_test {

class CameraObject : public HostObject {
  public:
    SuperClassId SuperClassID() override { return kCameraSuperClass; }
    ClassId ClassID() override { return {0x1001, 0}; }
    bool CanConvertToType(ClassId) override { return false; }
    HostObject* ConvertToType(TimeValue, ClassId) override { return nullptr; }
    void DeleteThis() override {}
};

class MemoryBitmap : public Bitmap {
  public:
    MemoryBitmap(int width, int height);
    int Width() override { return width_; }
    int Height() override { return height_; }
    int GetPixels(int x, int y, int count, BitmapPixel64* out) override;
    int PutPixels(int x, int y, int count, const BitmapPixel64* in) override;
    void DeleteThis() override;

  private:
    int width_, height_;
    std::vector<BitmapPixel64> pixels_;
};

class MemoryBitmapManager : public BitmapManager {
  public:
    Bitmap* Load(BitmapInfo*, uint16_t* status) override;
    Bitmap* Create(BitmapInfo* info) override;
    bool failCreate = false;
    int live = 0;                              // bitmaps created and not yet deleted
    std::vector<std::pair<int, int>> created;  // sizes
};

// What the renderer was opened for: a camera node's name, or a view record.
struct RenderCall {
    std::string camera;  // empty for a view record
    Matrix3 viewTM;
    float farClip = 0, fov = 0, zoom = 0;
};

class RenderHost : public hostfakes::FakeHost {
  public:
    // The colour of pixel (x, y) of the frame rendered for the call; default opaque grey.
    std::function<BitmapPixel64(const RenderCall&, int x, int y)> paint;
    // Open or render failures and exceptions at the render of this number (1-based; 0 never).
    int failOpenAt = 0, failRenderAt = 0, throwAt = 0;
    std::vector<RenderCall> calls;
    bool open = false;
    int renders = 0;
    // The batch file's text as it was when the progress display ended.
    std::string batchAtEnd;
    bool batchExistedAtEnd = false;

    int OpenCurrentRenderer(SceneNode* camera, Viewport* viewport) override;
    int OpenCurrentRenderer(ViewParams5* view) override;
    int CurrentRendererRenderFrame(TimeValue t, Bitmap* bitmap, RenderProgressCallback*, float,
                                   ViewParams5* view) override;
    void CloseCurrentRenderer() override { open = false; }
    void ProgressEnd() override;

  private:
    int Opened(RenderCall call);
};

// Each test: the utility as freshly loaded, a temporary folder that is also the current folder,
// the failure log in it, a scripted driver recording message boxes, the bitmap manager, and a
// host whose root has no children yet.
class RenderFixture : public ::testing::Test {
  protected:
    RenderFixture();
    ~RenderFixture() override;

    // A camera under the root (or under `parent`).
    hostfakes::FakeNode* AddCamera(const std::string& name, hostfakes::FakeNode* parent = nullptr);
    // Sets the utility up as an open panel would, then runs.
    void Run();
    std::string Out(const std::string& name) const { return folder.File("out/" + name); }
    std::vector<std::string> OutNames() const;
    std::vector<std::string> Messages() const { return driver.Messages(); }

    support::testing::TempFolder folder;
    render::RenderUtility& utility = render::TheRenderUtility();
    hostfakes::FakeNode root;
    RenderHost host;
    MemoryBitmapManager bitmaps;
    ScriptedUiDriver driver;

  private:
    std::vector<std::unique_ptr<CameraObject>> cameras_;
    std::string previousFolder_;
    BitmapManager* previousManager_;
    UiDriver* previousDriver_;
};

// A pixel of 8-bit colour channels, fully opaque.
BitmapPixel64 Opaque(int r, int g, int b);

}  // namespace render_test
