// Real files written by the import library's exporters, read back through plughost's loader.
#include "plughost/scene_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "import_test_scenes.h"

using namespace plughost;
using namespace import_test;
namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr TimeValue kTicksPerFrame = kTicksPerSecond / kImportFrameRate;

std::unique_ptr<Scene> Load(const fs::path& file) {
    SceneLoadResult r = OpenSceneFile(file.string());
    EXPECT_TRUE(r.scene) << r.error;
    return std::move(r.scene);
}

// The node of this name anywhere below `node`.
HostNode* Find(SceneNode* node, const std::string& name) {
    if (node->GetName() != nullptr && name == node->GetName()) return static_cast<HostNode*>(node);
    for (int i = 0; i < node->NumberOfChildren(); ++i)
        if (HostNode* found = Find(node->GetChildNode(i), name)) return found;
    return nullptr;
}

void ExpectNear(const Point3& got, const aiVector3D& want, const char* what) {
    EXPECT_NEAR(got.x, want.x, 1e-4) << what;
    EXPECT_NEAR(got.y, want.y, 1e-4) << what;
    EXPECT_NEAR(got.z, want.z, 1e-4) << what;
}

}  // namespace

TEST(SceneImport, NodeTreeAndTransformsFollowTheFile) {
    const fs::path file = TestFolder() / "skeleton.gltf";
    const SceneSpec shape = AnimatedSkeleton();
    ASSERT_EQ(WriteScene(shape, "gltf2", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    EXPECT_STREQ(scene->root->GetName(), "Root");
    HostNode* hips = Find(scene->root.get(), "Hips");
    HostNode* spine = Find(scene->root.get(), "Spine");
    ASSERT_TRUE(hips && spine);
    EXPECT_EQ(hips->GetParentNode(), scene->root.get());
    EXPECT_EQ(spine->GetParentNode(), hips);

    // The file's matrices take column vectors, the model's row vectors: the same point must come
    // out of both.
    const aiMatrix4x4& hipTm = shape.root.children[0].transform;
    const aiMatrix4x4 spineWorld = hipTm * shape.root.children[0].children[0].transform;
    for (const aiVector3D p : {aiVector3D(0, 0, 0), aiVector3D(1, 0, 0), aiVector3D(0.5f, -2, 7)}) {
        ExpectNear(Point3{p.x, p.y, p.z} * hips->GetNodeTM(0), hipTm * p, "hips");
        ExpectNear(Point3{p.x, p.y, p.z} * spine->GetNodeTM(0), spineWorld * p, "spine");
    }
}

TEST(SceneImport, FirstAnimationBecomesKeyTracksAtThirtyFramesPerSecond) {
    const fs::path file = TestFolder() / "skeleton.glb";
    ASSERT_EQ(WriteScene(AnimatedSkeleton(), "glb2", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    EXPECT_EQ(scene->frameRate, 30);
    EXPECT_EQ(scene->range.start, 0);
    EXPECT_EQ(scene->range.end, 60 * kTicksPerFrame);  // two seconds
    EXPECT_EQ(scene->time, 0);
    HostNode* spine = Find(scene->root.get(), "Spine");
    ASSERT_TRUE(spine);
    const struct {
        double frame;
        float y, angle;
    } expected[] = {
        {0, 4, 0}, {15, 5.5f, kPi / 8}, {30, 7, kPi / 4}, {60, 10, kPi / 2}, {90, 10, kPi / 2}};
    for (const auto& e : expected) {
        const Matrix3 local = spine->Local().MatrixAt(FramesToTicks(e.frame, kTicksPerFrame));
        EXPECT_NEAR(local.GetTrans().y, e.y, 1e-4) << "frame " << e.frame;
        // The X axis turns towards +Y.
        EXPECT_NEAR(local[0].x, std::cos(e.angle), 1e-4) << "frame " << e.frame;
        EXPECT_NEAR(local[0].y, std::sin(e.angle), 1e-4) << "frame " << e.frame;
    }
}

TEST(SceneImport, WithoutAnimationTheRangeIsFrameZero) {
    SceneSpec shape;
    shape.root.children.push_back({"Still", Compose({1, 0, 0}, aiQuaternion()), {}, {}});
    const fs::path file = TestFolder() / "still.gltf";
    ASSERT_EQ(WriteScene(shape, "gltf2", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    EXPECT_EQ(scene->range.start, 0);
    EXPECT_EQ(scene->range.end, 0);
    EXPECT_FALSE(Find(scene->root.get(), "Still")->Local().IsAnimated());
}

namespace {

// A textured quad on one node: a polygon the reader triangulates.
SceneSpec TexturedQuad() {
    SceneSpec s;
    MaterialSpec skin("Skin");
    skin.diffuse = aiColor3D(1.0f, 0.5f, 0.25f);
    skin.diffuseMap = "maps/skin.png";
    skin.heightMap = "maps/skin_bump.png";
    skin.normalMap = "maps/skin_normal.png";
    skin.opacityMap = "maps/skin_alpha.png";
    skin.shininess = 20.0f;
    skin.twoSided = true;
    s.materials = {skin};
    MeshSpec quad{"Quad", {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}}, {{0, 1, 2, 3}}, {}, 0, {}};
    quad.uvs = {{0, 0, 0}, {1, 0, 0}, {1, 0.5f, 0}, {0, 0.5f, 0}};
    s.meshes = {quad};
    s.root.children.push_back({"Quad", Compose({0, 0, 5}, aiQuaternion()), {0}, {}});
    return s;
}

TriangleMesh& MeshOf(HostNode* node) {
    HostObject* obj = node->EvalWorldState(0).obj;
    EXPECT_TRUE(obj && obj->ClassID() == kTriangleMeshClassId);
    return static_cast<MeshObject*>(obj)->GetMesh();
}

// Each face corner's texture vertex must be the one the file gave its vertex.
void ExpectQuadUvs(const TriangleMesh& m) {
    ASSERT_EQ(m.FaceCount(), 2);
    ASSERT_EQ(m.textureFaces.size(), m.faces.size());
    float area = 0;
    for (int f = 0; f < m.FaceCount(); ++f) {
        Point3 corner[3];
        for (int k = 0; k < 3; ++k) {
            ASSERT_LT(m.faces[f].v[k], m.vertices.size());
            ASSERT_LT(m.textureFaces[f].t[k], m.textureVertices.size());
            corner[k] = m.vertices[m.faces[f].v[k]];
            const Point3 uv = m.textureVertices[m.textureFaces[f].t[k]];
            EXPECT_NEAR(uv.x, corner[k].x / 2, 1e-5);
            EXPECT_NEAR(uv.y, corner[k].y / 2, 1e-5);
        }
        area += CrossProd(corner[1] - corner[0], corner[2] - corner[0]).z / 2;
    }
    EXPECT_NEAR(area, 2.0f, 1e-5);  // both triangles, same winding as the polygon
}

std::string MapName(Material* m, int slot) {
    TextureMap* map = m->GetSubTexmap(slot);
    return map && map->GetMapName() ? map->GetMapName() : "";
}

}  // namespace

TEST(SceneImport, GltfMeshUvsAndMaterial) {
    const fs::path file = TestFolder() / "quad.gltf";
    ASSERT_EQ(WriteScene(TexturedQuad(), "gltf2", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    HostNode* node = Find(scene->root.get(), "Quad");
    ASSERT_TRUE(node);
    ExpectQuadUvs(MeshOf(node));
    EXPECT_EQ(node->GetObjectTM(0).GetTrans(), (Point3{0, 0, 5}));
    Material* m = node->GetMaterial();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->ClassID(), kStandardMaterialClassId);
    EXPECT_EQ(MapName(m, kMapDiffuse), "maps/skin.png");
    EXPECT_EQ(MapName(m, kMapBump), "maps/skin_normal.png");  // glTF keeps normal maps only
    EXPECT_TRUE(m->GetTwoSided());
    EXPECT_EQ(m->GetDiffuse(), (Point3{1.0f, 0.5f, 0.25f}));
    EXPECT_EQ(scene->folder, file.parent_path().string());
}

TEST(SceneImport, ObjMeshUvsAndMaterial) {
    const fs::path file = TestFolder() / "quad.obj";
    ASSERT_EQ(WriteScene(TexturedQuad(), "obj", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    // The format keeps no node names of its own: the mesh comes back as a node of its name.
    HostNode* node = Find(scene->root.get(), "Quad");
    ASSERT_TRUE(node);
    ExpectQuadUvs(MeshOf(node));
    Material* m = node->GetMaterial();
    ASSERT_TRUE(m);
    EXPECT_EQ(MapName(m, kMapDiffuse), "maps/skin.png");
    EXPECT_EQ(MapName(m, kMapBump), "maps/skin_bump.png");
    EXPECT_EQ(MapName(m, kMapOpacity), "maps/skin_alpha.png");
    EXPECT_FLOAT_EQ(m->GetShininess(0, false), 20.0f);
    EXPECT_EQ(m->GetDiffuse(), (Point3{1.0f, 0.5f, 0.25f}));
}

TEST(SceneImport, NodeWithSeveralMeshesGetsOneMeshAndAMultiMaterial) {
    SceneSpec s;
    MaterialSpec red("Red"), blue("Blue");
    red.diffuseMap = "red.png";
    blue.diffuse = aiColor3D(0, 0, 1);
    s.materials = {red, blue};
    s.meshes = {{"Top", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}, {}, 0, {}},
                {"Bottom", {{0, 0, -1}, {1, 0, -1}, {0, 1, -1}}, {{0, 1, 2}}, {}, 1, {}}};
    s.meshes[0].uvs = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    s.root.children.push_back({"Both", aiMatrix4x4(), {0, 1}, {}});
    const fs::path file = TestFolder() / "both.gltf";
    ASSERT_EQ(WriteScene(s, "gltf2", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    HostNode* node = Find(scene->root.get(), "Both");
    ASSERT_TRUE(node);
    const TriangleMesh& m = MeshOf(node);
    ASSERT_EQ(m.VertexCount(), 6);
    ASSERT_EQ(m.FaceCount(), 2);
    // Each face keeps its own vertices and the material id of its source mesh.
    for (const MeshFace& f : m.faces) {
        const float z = m.vertices[f.v[0]].z;
        EXPECT_EQ(m.vertices[f.v[1]].z, z);
        EXPECT_EQ(f.MaterialId(), z == 0 ? 0 : 1);
    }
    // The mesh without texture vertices gets zeros, so there is still one texture face per face.
    ASSERT_EQ(m.textureFaces.size(), 2u);
    ASSERT_EQ(m.textureVertices.size(), 6u);
    Material* multi = node->GetMaterial();
    ASSERT_TRUE(multi);
    EXPECT_EQ(multi->ClassID(), kMultiMaterialClassId);
    ASSERT_EQ(multi->NumSubMaterials(), 2);
    EXPECT_EQ(MapName(multi->GetSubMaterial(0), kMapDiffuse), "red.png");
    EXPECT_EQ(multi->GetSubMaterial(1)->GetDiffuse(), (Point3{0, 0, 1}));
}

TEST(SceneImport, ColladaCamerasAndLightsSitOnTheirNodes) {
    SceneSpec s = TexturedQuad();
    s.root.children.push_back(
        {"Cam", Compose({0, -10, 2}, aiQuaternion(aiVector3D(1, 0, 0), kPi / 2)), {}, {}});
    s.root.children.push_back({"Lamp", Compose({3, 3, 3}, aiQuaternion()), {}, {}});
    s.cameras = {{"Cam", 0.9f, 0.5f, 500.0f}};
    s.lights = {"Lamp"};
    const fs::path file = TestFolder() / "camera.dae";
    ASSERT_EQ(WriteScene(s, "collada", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    HostNode* cam = Find(scene->root.get(), "Cam");
    ASSERT_TRUE(cam);
    HostObject* obj = cam->EvalWorldState(0).obj;
    ASSERT_TRUE(obj);
    ASSERT_EQ(obj->SuperClassID(), kCameraSuperClass);
    auto* camera = static_cast<CameraObject*>(obj);
    EXPECT_NEAR(camera->FieldOfView(), 0.9f, 1e-5);
    EXPECT_NEAR(camera->NearClip(), 0.5f, 1e-5);
    EXPECT_NEAR(camera->FarClip(), 500.0f, 1e-3);
    // Looking along its -Z, turned up by the node: the camera looks along +Y of the world.
    const Point3 view = VectorTransform({0, 0, -1}, cam->GetObjectTM(0));
    EXPECT_NEAR(view.y, 1.0f, 1e-5);
    HostNode* lamp = Find(scene->root.get(), "Lamp");
    ASSERT_TRUE(lamp && lamp->GetObjectRef());
    EXPECT_EQ(lamp->GetObjectRef()->SuperClassID(), kLightSuperClass);
    // The mesh node of the same file keeps its mesh and material.
    HostNode* quad = Find(scene->root.get(), "Quad");
    ASSERT_TRUE(quad);
    ExpectQuadUvs(MeshOf(quad));
}

TEST(SceneImport, FaultsNameTheFileAndTheReason) {
    const fs::path dir = TestFolder();
    SceneLoadResult r = OpenSceneFile((dir / "missing.gltf").string());
    EXPECT_FALSE(r.scene);
    EXPECT_EQ(r.error, (dir / "missing.gltf").string() +
                           ": cannot open the scene file (No such file or directory)");

    std::ofstream(dir / "garbage.gltf", std::ios::binary) << "{\"asset\": 12, nonsense";
    r = OpenSceneFile((dir / "garbage.gltf").string());
    EXPECT_FALSE(r.scene);
    EXPECT_EQ(r.error.rfind((dir / "garbage.gltf").string() + ": cannot import the scene: ", 0), 0u)
        << r.error;

    std::ofstream(dir / "noise.bin", std::ios::binary) << std::string(200, '\x7f');
    r = OpenSceneFile((dir / "noise.bin").string());
    EXPECT_FALSE(r.scene);
    EXPECT_NE(r.error.find("noise.bin: cannot import the scene: "), std::string::npos) << r.error;

    r = OpenSceneFile(dir.string());
    EXPECT_EQ(r.error, dir.string() + ": is a folder, not a scene file");

    // Only .json goes to the JSON loader, whatever its case.
    std::ofstream(dir / "scene.JSON", std::ios::binary) << R"({"root": {"name": "R"}})";
    r = OpenSceneFile((dir / "scene.JSON").string());
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_STREQ(r.scene->root->GetName(), "R");
}

TEST(SceneImport, ShearIsDroppedWithAWarning) {
    SceneSpec s;
    aiMatrix4x4 shear = Compose({1, 2, 3}, aiQuaternion());
    shear.a2 = 0.5f;
    s.root.children.push_back({"Leaning", shear, {}, {}});
    const fs::path file = TestFolder() / "shear.gltf";
    ASSERT_EQ(WriteScene(s, "gltf2", file), "");
    SceneLoadResult r = OpenSceneFile(file.string());
    ASSERT_TRUE(r.scene) << r.error;
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0], file.string() +
                                 ": node \"Leaning\": the transform shears, which a node cannot "
                                 "hold; kept its position, rotation and scale");
    EXPECT_EQ(Find(r.scene->root.get(), "Leaning")->GetNodeTM(0).GetTrans(), (Point3{1, 2, 3}));
}
