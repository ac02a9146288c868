// What the renderer gathers from a scene, without a GPU.
#include "plughost/render_scene.h"

#include <gtest/gtest.h>

#include "plughost/scene_loader.h"
#include "plughost/scene_objects.h"

using namespace plughost;

namespace {

RenderScene Collect(const std::string& text) {
    SceneLoadResult r = LoadSceneText(text, "scene.json");
    EXPECT_TRUE(r.scene) << r.error;
    if (!r.scene) return {};
    return CollectRenderScene(r.scene->root.get(), r.scene->time);
}

}  // namespace

// Faces are grouped by the sub-material of their id, or the material itself for an id without
// one; a map is kept only where the mesh has texture coordinates.
TEST(RenderScene, FacesGroupedByTheirMaterial) {
    const RenderScene s = Collect(R"({"root": {"children": [
      {"name": "M", "position": [1, 0, 0],
       "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0],[1,1,0]],
                  "faces": [[0,1,2,0],[1,3,2,1],[0,1,3,7],[0,2,3,1]],
                  "tverts": [[0,0],[1,0],[0,1],[1,1]], "tvfaces": [[0,1,2],[1,3,2],[0,1,3],[0,2,3]]},
       "material": {"type": "multi", "diffuse": [0, 0, 1], "diffuseMap": "own.png",
                    "subMaterials": [{"type": "standard", "diffuse": [1, 0, 0]},
                                     {"type": "standard", "diffuseMap": "b.png", "twoSided": true}]}},
      {"name": "Plain", "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]],
                                   "faces": [[0,1,2]]},
       "material": {"type": "standard", "diffuseMap": "unused.png"}}]}})");
    ASSERT_EQ(s.groups.size(), 4u);
    EXPECT_EQ(s.groups[0].look, (SurfaceLook{{1, 0, 0}, "", false}));
    EXPECT_EQ(s.groups[0].cornerCount, 3u);
    EXPECT_EQ(s.groups[1].look, (SurfaceLook{{0.8f, 0.8f, 0.8f}, "b.png", true}));
    EXPECT_EQ(s.groups[1].cornerCount, 6u);
    EXPECT_EQ(s.groups[2].look, (SurfaceLook{{0, 0, 1}, "own.png", false}));
    EXPECT_EQ(s.groups[2].objectTM.GetTrans(), (Point3{1, 0, 0}));
    EXPECT_EQ(s.groups[3].look.diffuseMap, "") << "no texture vertices";
    // Face 1 of M, corner 1: vertex 3 with texture vertex 3.
    const float* corner = &s.corners[(s.groups[1].firstCorner + 1) * kCornerFloats];
    EXPECT_EQ(std::vector<float>(corner, corner + 5), (std::vector<float>{1, 1, 0, 1, 1}));
}

// Hidden nodes, objects that are no geometry and faces naming missing vertices are left out;
// a converted object is released again; lights carry colour times intensity.
TEST(RenderScene, LeavesOutWhatIsNotDrawn) {
    const int liveBefore = LiveConvertedObjects();
    const RenderScene s = Collect(R"({"root": {"children": [
      {"name": "Hidden", "hidden": true,
       "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]], "faces": [[0,1,2]]}},
      {"name": "Poly", "object": {"type": "poly", "vertices": [[0,0,0],[1,0,0],[0,1,0]],
                                  "faces": [[0,1,2]]}},
      {"name": "Cam", "object": {"type": "camera"}},
      {"name": "Target", "object": {"type": "target"}},
      {"name": "Lamp", "position": [0, 0, 9],
       "object": {"type": "light", "color": [1, 0.5, 0], "intensity": 2}},
      {"name": "HiddenLamp", "hidden": true, "object": {"type": "light"}}]}})");
    ASSERT_EQ(s.groups.size(), 1u);
    EXPECT_EQ(s.groups[0].cornerCount, 3u);
    EXPECT_EQ(LiveConvertedObjects(), liveBefore);
    ASSERT_EQ(s.lights.size(), 1u);
    EXPECT_EQ(s.lights[0].position, (Point3{0, 0, 9}));
    EXPECT_EQ(s.lights[0].color, (Point3{2, 1, 0}));

    HostNode root;
    TriangleMesh mesh;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.faces.resize(2);
    mesh.faces[0].v[0] = 0, mesh.faces[0].v[1] = 1, mesh.faces[0].v[2] = 2;
    mesh.faces[1].v[0] = 0, mesh.faces[1].v[1] = 1, mesh.faces[1].v[2] = 9;
    auto node = std::make_unique<HostNode>();
    node->SetObject(std::make_unique<HostMeshObject>(mesh));
    root.AddChild(std::move(node));
    EXPECT_EQ(CollectRenderScene(&root, 0).corners.size(), 3u * kCornerFloats);
}
