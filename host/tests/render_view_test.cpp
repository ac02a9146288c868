// The renderer's camera arithmetic, without a GPU.
#include "plughost/render_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plughost/scene.h"
#include "plughost/scene_objects.h"

using namespace plughost;

namespace {

// The pixel (from the left, from the bottom) where an eye-space point lands.
std::pair<double, double> Pixel(const Mat4& p, const Point3& e, int x0, int y0, int w, int h) {
    double clip[4];
    for (int row = 0; row < 4; ++row)
        clip[row] = p[row] * e.x + p[4 + row] * e.y + p[8 + row] * e.z + p[12 + row];
    return {x0 + (clip[0] / clip[3] + 1) / 2 * w, y0 + (clip[1] / clip[3] + 1) / 2 * h};
}

}  // namespace

// A tile's projection puts a point on the same picture pixel as the whole picture's does, and
// the field of view is horizontal with square pixels.
TEST(RenderView, TilesAndAspect) {
    RenderView view;
    view.fov = 1.5707964f;  // 90 degrees: x = -z reaches the right edge
    const Point3 points[] = {{0, 0, -5}, {5, 0, -5}, {1, -2, -7}, {-3, 2.5f, -4}};
    const Mat4 whole = ProjectionMatrix(view, 200, 100, 0, 0, 200, 100);
    const auto edge = Pixel(whole, {5, 5, -5}, 0, 0, 200, 100);
    EXPECT_NEAR(edge.first, 200, 1e-3);
    EXPECT_NEAR(edge.second, 150, 1e-3);  // 100 pixels up from the middle, like x
    const Mat4 tile = ProjectionMatrix(view, 200, 100, 130, 20, 40, 30);
    for (const Point3& e : points) {
        const auto a = Pixel(whole, e, 0, 0, 200, 100), b = Pixel(tile, e, 130, 20, 40, 30);
        EXPECT_NEAR(a.first, b.first, 1e-3);
        EXPECT_NEAR(a.second, b.second, 1e-3);
    }
}

// The view matrix undoes the camera's placement but not its scale; a mirroring placement keeps
// its mirror.
TEST(RenderView, ViewMatrixIgnoresScaleAndKeepsMirrors) {
    RenderView view;
    view.placement = Matrix3({2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {1, 2, 3});
    Mat4 m = ViewMatrix(view);
    EXPECT_FLOAT_EQ(m[0], 1.0f);
    EXPECT_FLOAT_EQ(m[12], -1.0f);
    EXPECT_FLOAT_EQ(m[14], -3.0f);
    view.placement = Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 0});
    m = ViewMatrix(view);
    EXPECT_FLOAT_EQ(m[10], -1.0f);
    EXPECT_LT(Determinant3(view.placement), 0.0f);
}

// Near 0 (as view records give it) becomes a small positive distance tied to far; a missing or
// inverted range gets a usable one.
TEST(RenderView, ClipRangesAreMadeUsable) {
    float n, f;
    UsableClipRange(0.0f, 9999.9f, n, f);
    EXPECT_FLOAT_EQ(f, 9999.9f);
    EXPECT_GT(n, 0.0f);
    EXPECT_LT(n, 0.2f);
    UsableClipRange(5.0f, 2.0f, n, f);
    EXPECT_FLOAT_EQ(n, 5.0f);
    EXPECT_GT(f, 5.0f);
    UsableClipRange(NAN, -1.0f, n, f);
    EXPECT_FLOAT_EQ(f, kDefaultFarClip);
    EXPECT_GT(n, 0.0f);
}

// A camera node's view is its object transform and its lens; other nodes are refused.
TEST(RenderView, CameraNodesAndRecords) {
    HostNode camera, box;
    camera.SetName(std::string("Cam"));
    camera.Local().position = {1, 2, 3};
    camera.Offset().position = {0, 0, 1};
    camera.SetObject(std::make_unique<HostCameraObject>(0.5f, 2.0f, 300.0f));
    box.SetName(std::string("Box"));
    RenderView view;
    std::string error;
    ASSERT_TRUE(ViewFromCamera(camera, 0, view, error)) << error;
    EXPECT_EQ(view.placement.GetTrans(), (Point3{1, 2, 4}));
    EXPECT_FLOAT_EQ(view.fov, 0.5f);
    EXPECT_FLOAT_EQ(view.nearClip, 2.0f);
    EXPECT_FLOAT_EQ(view.farClip, 300.0f);
    EXPECT_FALSE(ViewFromCamera(box, 0, view, error));
    EXPECT_EQ(error, "the node \"Box\" is not a camera");

    ViewParams7 record;
    record.viewTM.SetTrans({5, 6, 7});
    record.fov = 1.0f;
    record.nearClip = 0.5f;
    record.farClip = 50.0f;
    record.distance = 123.0f;
    ASSERT_TRUE(ViewFromRecord(record, view, error)) << error;
    EXPECT_EQ(view.placement.GetTrans(), (Point3{5, 6, 7}));
    EXPECT_FLOAT_EQ(view.fov, 1.0f);
    EXPECT_FLOAT_EQ(view.farClip, 50.0f);
}
