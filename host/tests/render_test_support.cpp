#include "render_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "plughost/bitmap_manager.h"
#include "plughost/host_renderer.h"
#include "plughost/scene_objects.h"

namespace render_test {

using namespace plughost;

TriangleMesh BoxMesh(float size) {
    const float h = size / 2;
    TriangleMesh mesh;
    for (float z : {-h, h})
        for (float y : {-h, h})
            for (float x : {-h, h}) mesh.vertices.push_back({x, y, z});
    const uint32_t quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                  {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (int side = 0; side < 6; ++side) {
        const uint32_t* q = quads[side];
        for (const auto& corners : {std::array<uint32_t, 3>{q[0], q[1], q[2]},
                                    std::array<uint32_t, 3>{q[0], q[2], q[3]}}) {
            MeshFace face;
            face.v[0] = corners[0];
            face.v[1] = corners[1];
            face.v[2] = corners[2];
            face.SetMaterialId(side);
            mesh.faces.push_back(face);
        }
    }
    return mesh;
}

std::unique_ptr<HostMaterial> Standard(const Point3& color, bool twoSided) {
    auto m = std::make_unique<HostMaterial>(MaterialKind::Standard);
    m->SetDiffuse(color);
    m->SetTwoSided(twoSided);
    return m;
}

HostNode* AddBox(HostNode& parent, const std::string& name, const Point3& center, float size,
                 const Point3& color) {
    auto node = std::make_unique<HostNode>();
    node->SetName(name);
    node->Local().position = center;
    node->SetObject(std::make_unique<HostMeshObject>(BoxMesh(size)));
    node->SetMaterial(Standard(color));
    return parent.AddChild(std::move(node));
}

HostNode* AddCamera(HostNode& parent, const std::string& name, const Point3& position,
                    const Quat& rotation, float fov, float nearClip, float farClip) {
    auto node = std::make_unique<HostNode>();
    node->SetName(name);
    node->Local().position = position;
    node->Local().rotation = rotation;
    node->SetObject(std::make_unique<HostCameraObject>(fov, nearClip, farClip));
    return parent.AddChild(std::move(node));
}

Quat AxisRotation(const Point3& axis, double degrees) {
    const double half = degrees * 3.14159265358979 / 360.0;
    return Normalize({axis.x * std::sin(half), axis.y * std::sin(half), axis.z * std::sin(half),
                      std::cos(half)});
}

namespace {

template <typename Open>
Picture Render(HostNode& root, int width, int height, TimeValue t, const RenderView* view,
               Open open) {
    Picture picture{width, height, {}};
    std::ostringstream messages;
    HostRenderer renderer(&root, messages);
    MemoryBitmap* bitmap = new MemoryBitmap(
        width, height, std::vector<BitmapPixel64>(static_cast<size_t>(width) * height));
    if (!open(renderer) || !renderer.RenderFrame(t, bitmap, nullptr, view, nullptr)) {
        ADD_FAILURE() << "render failed: " << messages.str();
    } else {
        picture.pixels.resize(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            bitmap->GetPixels(0, y, width, &picture.pixels[static_cast<size_t>(y) * width]);
    }
    bitmap->DeleteThis();
    if (picture.pixels.empty()) picture.pixels.resize(static_cast<size_t>(width) * height);
    return picture;
}

}  // namespace

Picture RenderCamera(HostNode& root, HostNode& camera, int width, int height, TimeValue t) {
    return Render(root, width, height, t, nullptr, [&](HostRenderer& r) {
        return r.OpenCamera(&camera, t, kRenderTypeNormal, 0, 0);
    });
}

Picture RenderThrough(HostNode& root, const RenderView& view, int width, int height) {
    return Render(root, width, height, 0, nullptr,
                  [&](HostRenderer& r) { return r.OpenView(view, kRenderTypeNormal, 0, 0); });
}

bool Shows(const BitmapPixel64& p, const Point3& color) {
    if (p.a != 65535) return false;
    for (const auto& [value, wanted] : {std::pair{p.r, color.x}, {p.g, color.y}, {p.b, color.z}})
        if (wanted > 0.5f ? value < 32768 : value > 13107) return false;
    return true;
}

bool Empty(const BitmapPixel64& p) {
    return p.r == 0 && p.g == 0 && p.b == 0 && p.a == 0;
}

std::string ColorName(const BitmapPixel64& p) {
    const std::pair<const char*, Point3> colors[] = {{"red", kRed},         {"green", kGreen},
                                                     {"blue", kBlue},       {"yellow", kYellow},
                                                     {"magenta", kMagenta}, {"cyan", kCyan}};
    for (const auto& [name, color] : colors)
        if (Shows(p, color)) return name;
    return "none";
}

}  // namespace render_test
