// The OpenGL renderer seen through its pictures: placement, coverage, clipping, culling,
// textures, hidden nodes and skinning. Checks allow a pixel at edges, never exact colours.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "plughost/bitmap_manager.h"
#include "plughost/host_renderer.h"
#include "plughost/scene_objects.h"
#include "plughost/scene_rasterizer.h"
#include "plughost/skin.h"
#include "render_test_support.h"

using namespace plughost;
using namespace render_test;

namespace {

// Pixels whose whole area lies at least a pixel inside the rectangle must be covered, those at
// least a pixel outside it empty; the pixel along each edge may go either way.
void ExpectCoversRectangle(const Picture& p, double left, double top, double right, double bottom) {
    int wrong = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool inside =
                x >= left + 1 && x + 1 <= right - 1 && y >= top + 1 && y + 1 <= bottom - 1;
            const bool outside =
                x + 1 <= left - 1 || x >= right + 1 || y + 1 <= top - 1 || y >= bottom + 1;
            const BitmapPixel64& px = p.At(x, y);
            if ((inside && px.a != 65535) || (outside && !Empty(px))) {
                if (++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " has alpha " << px.a
                                  << (inside ? ", expected covered" : ", expected empty");
            }
        }
    EXPECT_EQ(wrong, 0);
}

}  // namespace

// A unit cube 4.5 units in front of a camera with a horizontal field of view of 90 degrees, in
// a picture of 3:2: its front face spans 1/9 of the half width each way and the same number of
// pixels vertically (the aspect comes from the bitmap), and nothing else is drawn.
TEST(Renderer, UnitCubeCoversItsPixelRectangle) {
    HostNode root;
    AddBox(root, "Cube", {0, 0, 0}, 1.0f, kRed);
    HostNode* camera = AddCamera(root, "Camera", {0, 0, 5});
    const Picture p = RenderCamera(root, *camera, 240, 160);
    const double half = 120.0 / 9.0;
    ExpectCoversRectangle(p, 120 - half, 80 - half, 120 + half, 80 + half);
    EXPECT_TRUE(Shows(p.At(120, 80), kRed));
}

// Colour channels hold the surface's colour beside a partial alpha, not the colour weighted by
// coverage, so a reader that scales by alpha gets the edge right.
TEST(Renderer, EdgesHavePartialCoverageWithTheSurfaceColour) {
    HostNode root;
    HostNode* box = AddBox(root, "Box", {0, 0, 0}, 2.0f, kRed);
    box->Local().rotation = AxisRotation({0, 0, 1}, 30);
    HostNode* camera = AddCamera(root, "Camera", {0, 0, 6});
    const Picture p = RenderCamera(root, *camera, 64, 64);
    const BitmapPixel64 inside = p.At(32, 32);
    ASSERT_EQ(inside.a, 65535);
    int partial = 0;
    for (const BitmapPixel64& px : p.pixels) {
        if (px.a == 0 || px.a == 65535) continue;
        ++partial;
        EXPECT_NEAR(px.r, inside.r, 65535 * 0.15) << "alpha " << px.a;
        EXPECT_LT(px.g + px.b, 2000);
    }
    EXPECT_GT(partial, 20);
}

// The camera looks along its local -Z: turned 90 degrees about its up axis it sees the object
// that lies that way and not the one it saw before, nor the one behind it.
TEST(Renderer, TurnedCameraSeesTheOtherObject) {
    HostNode root;
    HostNode* camera = AddCamera(root, "Camera", {1, 2, 3});
    AddBox(root, "Ahead", {1, 2, -7}, 2.0f, kRed);
    AddBox(root, "Behind", {1, 2, 13}, 2.0f, kGreen);
    EXPECT_EQ(ColorName(RenderCamera(root, *camera, 32, 32).At(16, 16)), "red");

    camera->Local().rotation = AxisRotation({0, 1, 0}, 90);
    const Matrix3 tm = camera->GetNodeTM(0);
    const Point3 ahead = tm.GetTrans() - tm[2] * 10.0f;
    AddBox(root, "Side", ahead, 2.0f, kBlue);
    const Picture p = RenderCamera(root, *camera, 32, 32);
    EXPECT_EQ(ColorName(p.At(16, 16)), "blue");
    for (const BitmapPixel64& px : p.pixels) EXPECT_NE(ColorName(px), "red");
}

// A floor reaching from behind the camera to far in front crosses the near plane: it fills the
// picture below the horizon and nothing above it.
TEST(Renderer, GeometryCrossingTheNearPlaneIsClipped) {
    HostNode root;
    auto floor = std::make_unique<HostNode>();
    TriangleMesh mesh;
    mesh.vertices = {{-100, 0, 100}, {100, 0, 100}, {100, 0, -100}, {-100, 0, -100}};
    mesh.faces.resize(2);
    mesh.faces[0].v[0] = 0, mesh.faces[0].v[1] = 1, mesh.faces[0].v[2] = 2;
    mesh.faces[1].v[0] = 0, mesh.faces[1].v[1] = 2, mesh.faces[1].v[2] = 3;
    floor->SetObject(std::make_unique<HostMeshObject>(mesh));
    floor->SetMaterial(Standard(kGreen));
    root.AddChild(std::move(floor));
    HostNode* camera = AddCamera(root, "Camera", {0, 1, 0});
    const Picture p = RenderCamera(root, *camera, 64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (y < 30) {
                EXPECT_TRUE(Empty(p.At(x, y))) << x << "," << y;
            }
            if (y > 34) {
                EXPECT_EQ(p.At(x, y).a, 65535) << x << "," << y;
            }
        }
}

// Objects nearer than the near clipping distance or beyond the far one are not drawn.
TEST(Renderer, CameraClippingDistancesApply) {
    HostNode root;
    AddBox(root, "Near", {-2, 0, -3}, 1.0f, kRed);
    AddBox(root, "Middle", {0, 0, -10}, 1.0f, kGreen);
    AddBox(root, "Far", {2, 0, -30}, 1.0f, kBlue);
    HostNode* camera = AddCamera(root, "Camera", {0, 0, 0}, {}, 1.5707964f, 5.0f, 20.0f);
    const Picture p = RenderCamera(root, *camera, 64, 64);
    int red = 0, green = 0, blue = 0;
    for (const BitmapPixel64& px : p.pixels) {
        red += ColorName(px) == "red";
        green += ColorName(px) == "green";
        blue += ColorName(px) == "blue";
    }
    EXPECT_EQ(red, 0);
    EXPECT_GT(green, 0);
    EXPECT_EQ(blue, 0);
}

// One-sided faces seen from behind are culled; two-sided ones are drawn from both sides.
TEST(Renderer, OneSidedFacesAreCulledFromBehind) {
    HostNode root;
    AddBox(root, "OneSided", {-2, 0, 0}, 2.0f, kRed);
    AddBox(root, "TwoSided", {2, 0, 0}, 2.0f, kRed)->SetMaterial(Standard(kRed, true));
    // Inside each box, looking at its far side.
    HostNode* inLeft = AddCamera(root, "InLeft", {-2, 0, 0});
    HostNode* inRight = AddCamera(root, "InRight", {2, 0, 0});
    EXPECT_TRUE(Empty(RenderCamera(root, *inLeft, 16, 16).At(8, 8)));
    EXPECT_EQ(ColorName(RenderCamera(root, *inRight, 16, 16).At(8, 8)), "red");
}

TEST(Renderer, HiddenNodesAreNotDrawn) {
    HostNode root;
    HostNode* box = AddBox(root, "Box", {0, 0, -5}, 2.0f, kRed);
    HostNode* camera = AddCamera(root, "Camera", {0, 0, 0});
    EXPECT_EQ(ColorName(RenderCamera(root, *camera, 16, 16).At(8, 8)), "red");
    box->SetHidden(true);
    for (const BitmapPixel64& px : RenderCamera(root, *camera, 16, 16).pixels)
        EXPECT_TRUE(Empty(px));
}

namespace {

// Serves one picture for any name: 8 x 8 pixels in four quadrants, red top left, yellow top
// right, blue bottom left, green bottom right.
class QuadrantImages : public BitmapManager {
  public:
    Bitmap* Load(BitmapInfo* info, uint16_t* status) override {
        std::vector<BitmapPixel64> pixels(64);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool right = x >= 4, bottom = y >= 4;
                const uint16_t r = !bottom ? 65535 : 0;
                const uint16_t g = right ? 65535 : 0;
                const uint16_t b = (bottom && !right) ? 65535 : 0;
                pixels[static_cast<size_t>(y) * 8 + x] = {r, g, b, 65535};
            }
        ++loads;
        info->SetWidth(8);
        info->SetHeight(8);
        *status = kBitmapStatusOk;
        return new MemoryBitmap(8, 8, std::move(pixels));
    }
    Bitmap* Create(BitmapInfo*) override { return nullptr; }
    int loads = 0;
};

class ManagerScope {
  public:
    explicit ManagerScope(BitmapManager* m) : previous_(TheManager) { TheManager = m; }
    ~ManagerScope() { TheManager = previous_; }

  private:
    BitmapManager* previous_;
};

}  // namespace

// Texture u runs to the right and v up, v = 0 being the image's bottom row: the quad shows the
// image upright and unmirrored.
TEST(Renderer, TexturedQuadShowsTheImageUpright) {
    QuadrantImages images;
    ManagerScope scope(&images);
    HostNode root;
    auto quad = std::make_unique<HostNode>();
    TriangleMesh mesh;
    mesh.vertices = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    mesh.textureVertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    mesh.faces.resize(2);
    mesh.textureFaces.resize(2);
    const uint32_t corners[2][3] = {{0, 1, 2}, {0, 2, 3}};
    for (int f = 0; f < 2; ++f)
        for (int k = 0; k < 3; ++k) mesh.faces[f].v[k] = mesh.textureFaces[f].t[k] = corners[f][k];
    quad->SetObject(std::make_unique<HostMeshObject>(mesh));
    auto material = Standard({0.5f, 0.5f, 0.5f});
    material->SetMap(kMapDiffuse, std::make_unique<BitmapTextureMap>("quadrants.png"));
    quad->SetMaterial(std::move(material));
    root.AddChild(std::move(quad));
    HostNode* camera = AddCamera(root, "Camera", {0, 0, 2});
    // The quad spans the middle half of the picture: pixels 25 to 75.
    const Picture p = RenderCamera(root, *camera, 100, 100);
    EXPECT_EQ(ColorName(p.At(35, 35)), "red");
    EXPECT_EQ(ColorName(p.At(65, 35)), "yellow") << "top right";
    EXPECT_EQ(ColorName(p.At(35, 65)), "blue");
    EXPECT_EQ(ColorName(p.At(65, 65)), "green") << "bottom right";
    EXPECT_EQ(images.loads, 1);
}

// A Physique-skinned mesh is drawn where its bone puts it at the render time.
TEST(Renderer, SkinnedMeshFollowsItsBone) {
    HostNode root;
    auto boneNode = std::make_unique<HostNode>();
    boneNode->Local().positionKeys = {{0.0, {-3, 0, 0}}, {160.0, {3, 0, 0}}};
    HostNode* bone = root.AddChild(std::move(boneNode));
    auto skinned = std::make_unique<HostNode>();
    std::vector<SkinInfluence> influences;
    for (uint32_t v = 0; v < 8; ++v) influences.push_back({v, 0, 1.0f});
    auto physique = std::make_unique<PhysiqueModifier>(
        true, std::make_unique<Skin>(std::vector<SkinBone>{{bone, Matrix3()}}, influences));
    physique->SetOwner(skinned.get());
    std::vector<std::unique_ptr<Modifier>> modifiers;
    modifiers.push_back(std::move(physique));
    skinned->SetObject(std::make_unique<HostDerivedObject>(
        std::make_unique<HostMeshObject>(BoxMesh(2.0f)), std::move(modifiers)));
    skinned->SetMaterial(Standard(kRed));
    root.AddChild(std::move(skinned));
    HostNode* camera = AddCamera(root, "Camera", {0, 0, 10});

    const Picture left = RenderCamera(root, *camera, 64, 64, 0);
    const Picture right = RenderCamera(root, *camera, 64, 64, 160);
    // Three units off centre at a distance of 9 is a sixth of the half width: 5 pixels.
    EXPECT_EQ(ColorName(left.At(32 - 10, 32)), "red");
    EXPECT_TRUE(Empty(left.At(32 + 10, 32)));
    EXPECT_EQ(ColorName(right.At(32 + 10, 32)), "red");
    EXPECT_TRUE(Empty(right.At(32 - 10, 32)));
}

// A picture drawn in many small tiles is the picture drawn at once.
TEST(Renderer, TiledPictureMatchesTheWholeOne) {
    HostNode root;
    HostNode* box = AddBox(root, "Box", {0.3f, -0.2f, 0}, 2.0f, kMagenta);
    box->Local().rotation = AxisRotation({1, 1, 0}, 40);
    HostNode* camera = AddCamera(root, "Camera", {0, 0, 5}, {}, 1.2f);
    RenderView view;
    std::string error;
    ASSERT_TRUE(ViewFromCamera(*camera, 0, view, error)) << error;
    const Picture whole = RenderThrough(root, view, 50, 40);

    std::ostringstream messages;
    HostRenderer renderer(&root, messages);
    ASSERT_TRUE(renderer.OpenView(view, kRenderTypeNormal, 0, 0)) << messages.str();
    renderer.Gl()->SetTileSize(7);
    MemoryBitmap* bitmap = new MemoryBitmap(50, 40, std::vector<BitmapPixel64>(2000));
    ASSERT_TRUE(renderer.RenderFrame(0, bitmap, nullptr, nullptr, nullptr)) << messages.str();
    int differing = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            BitmapPixel64 px;
            bitmap->GetPixels(x, y, 1, &px);
            const BitmapPixel64& w = whole.At(x, y);
            differing += std::abs(px.a - w.a) > 8192 || std::abs(px.r - w.r) > 8192 ||
                         std::abs(px.b - w.b) > 8192;
        }
    bitmap->DeleteThis();
    EXPECT_LE(differing, 4);
}
