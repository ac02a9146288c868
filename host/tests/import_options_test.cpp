// The import's options: where images stored inside a file are written, and merging the meshes
// of one skeleton into one skinned node.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <fstream>

#include "import_internal.h"
#include "import_test_scenes.h"
#include "plughost/scene_import.h"

using namespace plughost;
using namespace import_test;
namespace fs = std::filesystem;

namespace {

constexpr TimeValue kTicksPerFrame = kTicksPerSecond / kImportFrameRate;

HostNode* Find(HostNode* node, const std::string& name) {
    if (node->GetName() != nullptr && name == node->GetName()) return node;
    for (int i = 0; i < node->NumberOfChildren(); ++i)
        if (HostNode* found = Find(node->Child(i), name)) return found;
    return nullptr;
}

std::string DiffuseMap(HostNode* node) {
    Material* m = node ? node->GetMaterial() : nullptr;
    TextureMap* map = m ? m->GetSubTexmap(kMapDiffuse) : nullptr;
    return map && map->GetMapName() ? map->GetMapName() : "";
}

// Two triangles on two nodes, each with a material whose diffuse map is stored in the file:
// image 0 is named "skin", image 1 has no name.
SceneSpec TwoEmbeddedImages() {
    SceneSpec s;
    MaterialSpec a("A"), b("B");
    a.diffuseMap = "*0";
    b.diffuseMap = "*1";
    s.materials = {a, b};
    s.images = {{"skin", SolidPng(2, 2, 255, 0, 0), "png"}, {"", SolidPng(1, 1, 0, 0, 255), "png"}};
    const std::vector<aiVector3D> tri = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    const std::vector<aiVector3D> uvs = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    s.meshes = {{"MeshA", tri, {{0, 1, 2}}, uvs, 0, {}}, {"MeshB", tri, {{0, 1, 2}}, uvs, 1, {}}};
    s.root.children = {{"NodeA", aiMatrix4x4(), {0}, {}}, {"NodeB", aiMatrix4x4(), {1}, {}}};
    return s;
}

}  // namespace

TEST(ImportOptions, EmbeddedImagesAreWrittenAsStoredAndNamed) {
    const fs::path dir = TestFolder();
    const SceneSpec shape = TwoEmbeddedImages();
    ASSERT_EQ(WriteScene(shape, "glb2", dir / "hero.glb"), "");
    ImportOptions options;
    options.embeddedTextureFolder = (dir / "maps").string();
    SceneLoadResult r = OpenSceneFile((dir / "hero.glb").string(), options);
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_TRUE(r.warnings.empty()) << ::testing::PrintToString(r.warnings);

    // Named after the image, else after the scene and the image's number; full paths, so that
    // the bitmap manager finds them whatever the scene's folder.
    const fs::path skin = dir / "maps" / "skin.png";
    const fs::path unnamed = dir / "maps" / "hero_texture1.png";
    EXPECT_EQ(DiffuseMap(Find(r.scene->root.get(), "NodeA")), skin.string());
    EXPECT_EQ(DiffuseMap(Find(r.scene->root.get(), "NodeB")), unnamed.string());
    EXPECT_EQ(ReadBytes(skin), shape.images[0].bytes);
    EXPECT_EQ(ReadBytes(unnamed), shape.images[1].bytes);

    // Without a folder they go beside the scene file.
    r = OpenSceneFile((dir / "hero.glb").string());
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_EQ(DiffuseMap(Find(r.scene->root.get(), "NodeA")), (dir / "skin.png").string());
}

TEST(ImportOptions, EmbeddedImagesNeverReplaceOtherFiles) {
    const fs::path dir = TestFolder();
    const SceneSpec shape = TwoEmbeddedImages();
    ASSERT_EQ(WriteScene(shape, "glb2", dir / "hero.glb"), "");
    // An unrelated skin.png, and a copy of the unnamed image from an earlier run.
    std::ofstream(dir / "skin.png", std::ios::binary) << "someone else's picture";
    std::ofstream(dir / "hero_texture1.png", std::ios::binary) << shape.images[1].bytes;

    SceneLoadResult r = OpenSceneFile((dir / "hero.glb").string());
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_EQ(ReadBytes(dir / "skin.png"), "someone else's picture");
    EXPECT_EQ(DiffuseMap(Find(r.scene->root.get(), "NodeA")), (dir / "skin_2.png").string());
    EXPECT_EQ(ReadBytes(dir / "skin_2.png"), shape.images[0].bytes);
    EXPECT_EQ(DiffuseMap(Find(r.scene->root.get(), "NodeB")), (dir / "hero_texture1.png").string());
    ASSERT_EQ(r.warnings.size(), 1u) << ::testing::PrintToString(r.warnings);
    EXPECT_NE(r.warnings[0].find("written as " + (dir / "skin_2.png").string() +
                                 ", since the name \"skin\" is taken"),
              std::string::npos)
        << r.warnings[0];
    // No temporary file is left behind.
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_EQ(entry.path().string().find(".partial"), std::string::npos) << entry.path();
}

TEST(ImportOptions, RawTexelsAreEncodedAndBadReferencesWarn) {
    const fs::path dir = TestFolder();
    aiScene scene;
    scene.mNumTextures = 1;
    scene.mTextures = new aiTexture* [1] { new aiTexture };
    aiTexture& raw = *scene.mTextures[0];
    raw.mWidth = 2;
    raw.mHeight = 1;
    raw.pcData = new aiTexel[2];
    raw.pcData[0] = {10, 20, 30, 255};  // blue, green, red, alpha
    raw.pcData[1] = {0, 0, 200, 128};
    std::vector<std::string> warnings;
    import::EmbeddedTextures textures(scene, dir.string(), "level", warnings);

    const std::string file = textures.FileFor("*0", "material \"M\"");
    EXPECT_EQ(file, (dir / "level_texture0.png").string());
    EXPECT_EQ(textures.FileFor("*0", "material \"N\""), file);  // written once
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load(file.c_str(), &w, &h, &channels, 4);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
    const std::vector<int> rgba(pixels, pixels + 8);
    stbi_image_free(pixels);
    EXPECT_EQ(rgba, (std::vector<int>{30, 20, 10, 255, 200, 0, 0, 128}));

    EXPECT_EQ(textures.FileFor("*1", "material \"M\""), "");
    EXPECT_EQ(textures.FileFor("*x", "material \"M\""), "");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0],
              "material \"M\": texture \"*1\" names no image stored in the file; left out");

    // A folder that cannot be made: the image is left out with the reason.
    std::ofstream(dir / "blocked", std::ios::binary) << "a file, not a folder";
    warnings.clear();
    import::EmbeddedTextures blocked(scene, (dir / "blocked" / "maps").string(), "level", warnings);
    EXPECT_EQ(blocked.FileFor("*0", "material \"M\""), "");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("cannot write " + (dir / "blocked" / "maps").string()),
              std::string::npos)
        << warnings[0];
}

namespace {

// The world places of a node's evaluated vertices.
std::vector<Point3> WorldVertices(HostNode* node, TimeValue t) {
    HostObject* obj = node->EvalWorldState(t).obj;
    EXPECT_TRUE(obj && obj->ClassID() == kTriangleMeshClassId);
    std::vector<Point3> out;
    if (!obj) return out;
    const Matrix3 tm = node->GetObjectTM(t);
    for (const Point3& v : static_cast<MeshObject*>(obj)->GetMesh().vertices) out.push_back(v * tm);
    return out;
}

bool Skinned(HostNode* node) {
    HostObject* ref = node->GetObjectRef();
    return ref && ref->SuperClassID() == kDerivedObjectSuperClass;
}

}  // namespace

TEST(ImportOptions, MergedSkinKeepsEveryVertexWhereItWas) {
    const fs::path file = TestFolder() / "split.gltf";
    ASSERT_EQ(WriteScene(SplitCharacter(), "gltf2", file), "");

    SceneLoadResult apart = OpenSceneFile(file.string());
    ASSERT_TRUE(apart.scene) << apart.error;
    ImportOptions merge;
    merge.mergeSkins = true;
    SceneLoadResult merged = OpenSceneFile(file.string(), merge);
    ASSERT_TRUE(merged.scene) << merged.error;

    HostNode* legs = Find(merged.scene->root.get(), "LegsNode");
    HostNode* torso = Find(merged.scene->root.get(), "TorsoNode");
    ASSERT_TRUE(legs && torso);
    ASSERT_TRUE(Skinned(legs));
    EXPECT_EQ(torso->GetObjectRef(), nullptr);  // its mesh moved to the first node of the skin
    EXPECT_EQ(torso->GetMaterial(), nullptr);

    // The rest mesh: the sums, the material ids of a multi-material, texture vertices for both.
    auto* derived = static_cast<DerivedObject*>(legs->GetObjectRef());
    const TriangleMesh& rest = static_cast<MeshObject*>(derived->GetBaseObject())->GetMesh();
    ASSERT_EQ(rest.VertexCount(), 3 + 4);
    ASSERT_EQ(rest.FaceCount(), 1 + 2);
    EXPECT_EQ(rest.textureFaces.size(), 3u);
    EXPECT_EQ(rest.textureVertices.size(), 7u);
    EXPECT_EQ(rest.faces[0].MaterialId(), 0);
    EXPECT_EQ(rest.faces[1].MaterialId(), 1);
    EXPECT_EQ(rest.faces[2].MaterialId(), 1);
    Material* multi = legs->GetMaterial();
    ASSERT_TRUE(multi && multi->ClassID() == kMultiMaterialClassId);
    ASSERT_EQ(multi->NumSubMaterials(), 2);
    EXPECT_STREQ(multi->GetSubMaterial(1)->GetSubTexmap(kMapDiffuse)->GetMapName(), "skin.png");

    // Posed, every vertex is where the separate meshes put it.
    for (double frame : {0.0, 30.0, 60.0}) {
        const TimeValue t = FramesToTicks(frame, kTicksPerFrame);
        std::vector<Point3> want = WorldVertices(Find(apart.scene->root.get(), "LegsNode"), t);
        const std::vector<Point3> torsoWorld =
            WorldVertices(Find(apart.scene->root.get(), "TorsoNode"), t);
        want.insert(want.end(), torsoWorld.begin(), torsoWorld.end());
        const std::vector<Point3> got = WorldVertices(legs, t);
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].x, want[i].x, 1e-4) << "vertex " << i << " frame " << frame;
            EXPECT_NEAR(got[i].y, want[i].y, 1e-4) << "vertex " << i << " frame " << frame;
            EXPECT_NEAR(got[i].z, want[i].z, 1e-4) << "vertex " << i << " frame " << frame;
        }
    }
    // The chest has turned by the last frame: the comparison is not of rest places only.
    const std::vector<Point3> end = WorldVertices(legs, 60 * kTicksPerFrame);
    // Torso vertex (1, 2, -1) of its node, one unit to the chest's +X at rest, is turned onto +Y.
    EXPECT_NEAR(end[4].x, 0.0f, 1e-4);
    EXPECT_NEAR(end[4].y, 3.0f, 1e-4);
}

// Meshes join when they share a bone, also through a third; a mesh of another skeleton and a
// mesh without bones stay on their nodes.
TEST(ImportOptions, OnlyMeshesThatShareBonesAreMerged) {
    HostNode hips, chest, other;
    HostNode nodes[5];
    auto mesh = [&](int node, std::vector<SceneNode*> bones) {
        import::MeshOnNode m;
        m.node = &nodes[node];
        m.restWorld = Matrix3(Point3{1, 0, 0}, Point3{0, 1, 0}, Point3{0, 0, 1},
                              Point3{0, 0, static_cast<float>(node)});
        m.mesh.mesh.vertices = {{0, 0, 0}};
        m.mesh.mesh.faces = {MeshFace{}};
        for (SceneNode* bone : bones) m.mesh.bones.push_back({bone, Matrix3()});
        return m;
    };
    std::vector<import::MeshOnNode> meshes = {
        mesh(0, {&other}), mesh(1, {&hips}),         mesh(2, {}),
        mesh(3, {&chest}), mesh(4, {&chest, &hips}), mesh(5, {&hips})};
    // Node 5 is scaled flat: its vertices cannot be carried into another node's space.
    meshes[5].restWorld.SetRow(2, {0, 0, 0});
    const aiNode flat("Flat"), first("First");
    meshes[5].source = &flat;
    meshes[1].source = &first;
    std::vector<std::string> warnings;
    import::MergeSharedSkins(meshes, warnings);
    EXPECT_FALSE(meshes[0].mergedAway);
    EXPECT_EQ(meshes[0].mesh.mesh.VertexCount(), 1);
    EXPECT_FALSE(meshes[1].mergedAway);
    EXPECT_EQ(meshes[1].mesh.mesh.VertexCount(), 3);  // nodes 1, 3 and 4
    EXPECT_EQ(meshes[1].mesh.bones.size(), 4u);
    EXPECT_FALSE(meshes[2].mergedAway);
    EXPECT_TRUE(meshes[3].mergedAway);
    EXPECT_TRUE(meshes[4].mergedAway);
    // Each vertex is carried into node 1's space: node 3 sits two units above it.
    EXPECT_EQ(meshes[1].mesh.mesh.vertices[1], (Point3{0, 0, 2}));
    EXPECT_EQ(meshes[1].mesh.bones[1].offset.GetTrans(), (Point3{0, 0, -2}));
    EXPECT_FALSE(meshes[5].mergedAway);
    EXPECT_EQ(meshes[5].mesh.mesh.VertexCount(), 1);
    EXPECT_EQ(warnings, (std::vector<std::string>{"node \"Flat\": not merged into node "
                                                  "\"First\", since one of them is scaled flat "
                                                  "at rest"}));
}
