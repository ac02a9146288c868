// The renderer calls of the host interface, in both interface generations: view records, the
// six axis views from one place, mirrored views, regions and refused requests.
#include <gtest/gtest.h>

#include <sstream>

#include "plughost/bitmap_manager.h"
#include "plughost/host_app.h"
#include "render_test_support.h"

using namespace plughost;
using namespace render_test;

namespace {

class HostRendererCalls : public testing::Test {
  protected:
    void SetUp() override {
        scene_.root = std::make_unique<HostNode>();
        HostSettings settings;
        settings.messages = &messages_;
        host_ = std::make_unique<PlugHost>(scene_, settings, progress_);
    }

    HostNode& Root() { return *scene_.root; }

    // Renders a frame of the open renderer into a new bitmap; empty on failure.
    template <typename... Extra>
    Picture Frame(int width, int height, Extra... extra) {
        MemoryBitmap* bitmap = new MemoryBitmap(
            width, height, std::vector<BitmapPixel64>(static_cast<size_t>(width) * height));
        Picture p{width, height, {}};
        if (host_->CurrentRendererRenderFrame(0, bitmap, nullptr, 1.0f, extra...)) {
            p.pixels.resize(static_cast<size_t>(width) * height);
            for (int y = 0; y < height; ++y)
                bitmap->GetPixels(0, y, width, &p.pixels[static_cast<size_t>(y) * width]);
        }
        bitmap->DeleteThis();
        return p;
    }

    std::ostringstream messages_;
    std::ostringstream progressLog_;
    ProgressDisplay progress_{progressLog_, false};
    Scene scene_;
    std::unique_ptr<PlugHost> host_;
};

template <typename Record>
Record ViewRecord(const Matrix3& tm) {
    Record r;
    r.viewTM = r.prevViewTM = tm;
    r.projection = kProjectionPerspective;
    r.nearClip = 0.0f;
    r.farClip = 9999.9f;
    r.zoom = 1.0f;
    r.fov = 1.5707964f;
    r.nearRange = r.farRange = 9999.9f;
    return r;
}

struct Face {
    const char* name;
    Matrix3 tm;
};

// The six axis views a panning camera takes: symmetric, each its own inverse, determinant -1.
const Face kFaces[] = {
    {"n", Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 0})},
    {"s", Matrix3({-1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0})},
    {"e", Matrix3({0, 0, -1}, {0, 1, 0}, {-1, 0, 0}, {0, 0, 0})},
    {"w", Matrix3({0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0})},
    {"u", Matrix3({1, 0, 0}, {0, 0, -1}, {0, -1, 0}, {0, 0, 0})},
    {"d", Matrix3({1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, 0, 0})},
};

}  // namespace

// From one place, each axis view sees the object on the axis it looks along (its local -Z),
// through the view records of both generations.
TEST_F(HostRendererCalls, EachAxisViewSeesTheObjectOnItsAxis) {
    const Point3 eye{3, -2, 7};
    const std::pair<Point3, std::string> objects[] = {
        {{1, 0, 0}, "red"},     {{-1, 0, 0}, "green"},  {{0, 1, 0}, "blue"},
        {{0, -1, 0}, "yellow"}, {{0, 0, 1}, "magenta"}, {{0, 0, -1}, "cyan"}};
    const Point3 colors[] = {kRed, kGreen, kBlue, kYellow, kMagenta, kCyan};
    for (int i = 0; i < 6; ++i)
        AddBox(Root(), objects[i].second, eye + objects[i].first * 10.0f, 3.0f, colors[i]);
    for (const Face& face : kFaces) {
        Matrix3 tm = face.tm;
        tm.SetTrans(eye);
        const Point3 looks = -tm[2];
        std::string expected;
        for (const auto& [axis, name] : objects)
            if (axis == looks) expected = name;
        ViewParams5 older = ViewRecord<ViewParams5>(tm);
        ASSERT_EQ(host_->OpenCurrentRenderer(&older), 1) << messages_.str();
        EXPECT_EQ(ColorName(Frame(32, 32, static_cast<ViewParams5*>(nullptr)).At(16, 16)), expected)
            << "face " << face.name << ", generation 5";
        host_->CloseCurrentRenderer();
        ViewParams7 newer = ViewRecord<ViewParams7>(tm);
        ASSERT_EQ(host_->OpenCurrentRenderer(&newer, kRenderTypeNormal, 0, 0), 1);
        EXPECT_EQ(ColorName(Frame(32, 32, static_cast<ViewParams7*>(nullptr),
                                  static_cast<const RenderRegion*>(nullptr))
                                .At(16, 16)),
                  expected)
            << "face " << face.name << ", generation 7";
        host_->CloseCurrentRenderer();
    }
}

// A view with determinant -1 shows the mirror image of an unmirrored camera at the same place
// looking the same way, and the same surfaces: the box's near side, not its far side.
TEST_F(HostRendererCalls, MirroredViewMirrorsThePictureButNotTheSurfaces) {
    HostNode* box = AddBox(Root(), "Box", {0, 0, 10}, 2.0f, kBlue);
    auto sides = std::make_unique<HostMaterial>(MaterialKind::Multi);
    for (int side = 0; side < 6; ++side)
        sides->AddSubMaterial(Standard(side == kFaceMinusZ ? kRed : kBlue));
    box->SetMaterial(std::move(sides));
    AddBox(Root(), "PlusX", {4, 0, 10}, 1.0f, kGreen);

    const Matrix3 mirrored = kFaces[0].tm;  // looks along +Z, +X to the right
    const Matrix3 plain({-1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 0});
    int greenColumn[2] = {-1, -1};
    int i = 0;
    for (const Matrix3& tm : {mirrored, plain}) {
        ViewParams5 record = ViewRecord<ViewParams5>(tm);
        ASSERT_EQ(host_->OpenCurrentRenderer(&record), 1) << messages_.str();
        const Picture p = Frame(64, 64, static_cast<ViewParams5*>(nullptr));
        host_->CloseCurrentRenderer();
        EXPECT_EQ(ColorName(p.At(32, 32)), "red") << (i == 0 ? "mirrored" : "plain");
        for (int x = 0; x < 64; ++x)
            if (ColorName(p.At(x, 32)) == "green") greenColumn[i] = x;
        ++i;
    }
    EXPECT_GT(greenColumn[0], 40);
    EXPECT_GE(greenColumn[1], 0);
    EXPECT_LT(greenColumn[1], 24);
}

// The view given to a frame replaces the opened one for that frame.
TEST_F(HostRendererCalls, ViewGivenToAFrameIsUsed) {
    AddBox(Root(), "Ahead", {0, 0, -10}, 2.0f, kRed);
    AddBox(Root(), "Behind", {0, 0, 10}, 2.0f, kGreen);
    HostNode* camera = AddCamera(Root(), "Camera", {0, 0, 0});
    ASSERT_EQ(host_->OpenCurrentRenderer(camera, nullptr), 1) << messages_.str();
    EXPECT_EQ(ColorName(Frame(16, 16, static_cast<ViewParams5*>(nullptr)).At(8, 8)), "red");
    ViewParams5 back = ViewRecord<ViewParams5>(kFaces[0].tm);
    EXPECT_EQ(ColorName(Frame(16, 16, &back).At(8, 8)), "green");
    host_->CloseCurrentRenderer();
}

// Generation 7's region: only its pixels are written, the rest of the bitmap keeps its own.
TEST_F(HostRendererCalls, RegionLimitsThePixelsWritten) {
    AddBox(Root(), "Wall", {0, 0, -30}, 40.0f, kRed);
    HostNode* camera = AddCamera(Root(), "Camera", {0, 0, 0});
    ASSERT_EQ(host_->OpenCurrentRenderer(camera, nullptr, kRenderTypeNormal, 0, 0), 1);
    const BitmapPixel64 mark{1, 2, 3, 4};
    MemoryBitmap* bitmap = new MemoryBitmap(30, 20, std::vector<BitmapPixel64>(600, mark));
    const RenderRegion region{5, 4, 25, 12};
    ASSERT_EQ(host_->CurrentRendererRenderFrame(0, bitmap, nullptr, 1.0f, nullptr, &region), 1)
        << messages_.str();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            BitmapPixel64 px;
            bitmap->GetPixels(x, y, 1, &px);
            const bool inside = x >= 5 && x < 25 && y >= 4 && y < 12;
            if (inside)
                EXPECT_EQ(ColorName(px), "red") << x << "," << y;
            else
                EXPECT_TRUE(px.r == 1 && px.a == 4) << x << "," << y;
        }
    bitmap->DeleteThis();
    host_->CloseCurrentRenderer();
}

// Requests the renderer cannot serve fail with a message, and nothing is drawn.
TEST_F(HostRendererCalls, RefusedRequestsFailWithAReason) {
    HostNode* camera = AddCamera(Root(), "Camera", {0, 0, 0});
    HostNode* box = AddBox(Root(), "Box", {0, 0, -5}, 1.0f, kRed);
    const auto refused = [&](int result, const std::string& reason) {
        EXPECT_EQ(result, 0);
        EXPECT_NE(messages_.str().find(reason), std::string::npos) << messages_.str();
        messages_.str("");
    };
    refused(Frame(8, 8, static_cast<ViewParams5*>(nullptr)).pixels.empty() ? 0 : 1, "not open");
    refused(host_->OpenCurrentRenderer(box, nullptr), "\"Box\" is not a camera");
    refused(host_->OpenCurrentRenderer(nullptr, nullptr), "no camera node");
    refused(host_->OpenCurrentRenderer(camera, nullptr, 3, 0, 0), "render type 3");
    ViewParams5 parallel = ViewRecord<ViewParams5>(Matrix3());
    parallel.projection = kProjectionParallel;
    refused(host_->OpenCurrentRenderer(&parallel), "not perspective");
    ViewParams7 flat = ViewRecord<ViewParams7>(Matrix3());
    flat.fov = 0.0f;
    refused(host_->OpenCurrentRenderer(&flat, kRenderTypeNormal, 0, 0), "field of view");
    EXPECT_FALSE(host_->RendererOpen());

    ASSERT_EQ(host_->OpenCurrentRenderer(camera, nullptr, kRenderTypeNormal, 40, 30), 1);
    refused(
        Frame(30, 40, static_cast<ViewParams7*>(nullptr), static_cast<const RenderRegion*>(nullptr))
                .pixels.empty()
            ? 0
            : 1,
        "opened for 40 x 30 pixels, the bitmap is 30 x 40");
    EXPECT_FALSE(
        Frame(40, 30, static_cast<ViewParams7*>(nullptr), static_cast<const RenderRegion*>(nullptr))
            .pixels.empty());
    host_->CloseCurrentRenderer();
}
