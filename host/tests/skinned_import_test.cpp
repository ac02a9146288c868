// A skinned mesh read from a file: a Physique modifier on its node, bones that are nodes, and an
// evaluated mesh that follows the bones.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "import_test_scenes.h"
#include "plughost/scene_import.h"

using namespace plughost;
using namespace import_test;
namespace fs = std::filesystem;

namespace {

constexpr TimeValue kTicksPerFrame = kTicksPerSecond / kImportFrameRate;

aiMatrix4x4 Move(float x, float y, float z) {
    aiMatrix4x4 m;
    return aiMatrix4x4::Translation(aiVector3D(x, y, z), m);
}

// "Body" (at z = 2) is skinned to "Arm" (at x = 1, rising 5 units over two seconds) and to the
// still "Anchor". Its vertices, in mesh space: two on the arm, one shared half and half, one on
// the anchor.
SceneSpec SkinnedScene() {
    SceneSpec s;
    MeshSpec body{
        "BodyMesh", {{1, 0, 0}, {2, 0, 0}, {0, 0, 0}, {0, 1, 0}}, {{0, 1, 3}, {0, 3, 2}}, {}, 0,
        {}};
    const aiMatrix4x4 bodyTm = Move(0, 0, 2);
    // Offsets take mesh space to bone space: the inverse bone transform after the mesh's own.
    body.bones = {{"Arm", Move(-1, 0, 0) * bodyTm, {{0, 1.0f}, {1, 1.0f}, {2, 0.5f}}},
                  {"Anchor", bodyTm, {{2, 0.5f}, {3, 1.0f}}}};
    s.meshes = {body};
    s.root.children = {{"Body", bodyTm, {0}, {}},
                       {"Anchor", aiMatrix4x4(), {}, {{"Arm", Move(1, 0, 0), {}, {}}}}};
    s.animation = AnimationSpec{20.0, 10.0, {}};
    s.animation->channels.push_back({"Arm",
                                     {{0.0, {1, 0, 0}}, {20.0, {1, 5, 0}}},
                                     {{0.0, aiQuaternion()}},
                                     {{0.0, {1, 1, 1}}}});
    return s;
}

// Where a rest vertex (mesh space) must be in the world at a frame.
Point3 ExpectedWorld(const Point3& rest, double frame) {
    const float rise = static_cast<float>(5.0 * std::min(frame, 60.0) / 60.0);
    const Point3 world = rest + Point3{0, 0, 2};
    if (rest.x > 0.5f) return world + Point3{0, rise, 0};  // on the arm
    if (rest.y > 0.5f) return world;                       // on the anchor
    return world + Point3{0, rise / 2, 0};                 // half and half
}

HostNode* Child(Scene& scene, const char* name) {
    for (int i = 0; i < scene.root->NumberOfChildren(); ++i)
        if (std::string(scene.root->Child(i)->GetName()) == name) return scene.root->Child(i);
    return nullptr;
}

}  // namespace

TEST(SkinnedImport, EvaluatedMeshFollowsItsBones) {
    const fs::path file = TestFolder() / "skinned.gltf";
    ASSERT_EQ(WriteScene(SkinnedScene(), "gltf2", file), "");
    SceneLoadResult r = OpenSceneFile(file.string());
    ASSERT_TRUE(r.scene) << r.error;
    Scene& scene = *r.scene;
    HostNode* body = Child(scene, "Body");
    ASSERT_TRUE(body);

    // The node carries a Physique modifier with a context over the rest mesh.
    HostObject* ref = body->GetObjectRef();
    ASSERT_TRUE(ref && ref->SuperClassID() == kDerivedObjectSuperClass);
    auto* derived = static_cast<DerivedObject*>(ref);
    ASSERT_EQ(derived->NumModifiers(), 1);
    Modifier* physique = derived->GetModifier(0);
    EXPECT_EQ(physique->ClassID(), kPhysiqueClassId);
    auto* iface = static_cast<PhysiqueExport*>(physique->GetInterface(kPhysiqueExportInterfaceId));
    ASSERT_TRUE(iface);
    EXPECT_NE(iface->GetContextInterface(body), nullptr);
    ASSERT_EQ(derived->GetBaseObject()->ClassID(), kTriangleMeshClassId);
    const TriangleMesh rest = static_cast<MeshObject*>(derived->GetBaseObject())->GetMesh();
    ASSERT_EQ(rest.VertexCount(), 4);

    // The bones are ordinary nodes of the tree.
    HostNode* anchor = Child(scene, "Anchor");
    ASSERT_TRUE(anchor && anchor->NumberOfChildren() == 1);
    EXPECT_STREQ(anchor->Child(0)->GetName(), "Arm");

    for (double frame : {0.0, 30.0, 60.0}) {
        const TimeValue t = FramesToTicks(frame, kTicksPerFrame);
        HostObject* posed = body->EvalWorldState(t).obj;
        ASSERT_TRUE(posed && posed->ClassID() == kTriangleMeshClassId);
        const TriangleMesh& m = static_cast<MeshObject*>(posed)->GetMesh();
        ASSERT_EQ(m.VertexCount(), 4);
        EXPECT_EQ(m.FaceCount(), rest.FaceCount());
        // The posed vertices are in the node's object space: the object transform places them.
        const Matrix3 tm = body->GetObjectTM(t);
        for (int i = 0; i < 4; ++i) {
            const Point3 want = ExpectedWorld(rest.vertices[i], frame);
            const Point3 got = m.vertices[i] * tm;
            EXPECT_NEAR(got.x, want.x, 1e-4) << "vertex " << i << " frame " << frame;
            EXPECT_NEAR(got.y, want.y, 1e-4) << "vertex " << i << " frame " << frame;
            EXPECT_NEAR(got.z, want.z, 1e-4) << "vertex " << i << " frame " << frame;
        }
    }
    // Evaluating poses a copy: the rest mesh stays as the file gave it.
    const TriangleMesh& after = static_cast<MeshObject*>(derived->GetBaseObject())->GetMesh();
    EXPECT_EQ(after.vertices, rest.vertices);
}

// Every truncated prefix of a binary glTF file with a skin and an animation either loads or
// fails with the file's name; none crashes the conversion.
TEST(SkinnedImport, TruncatedFilesLoadOrFailCleanly) {
    const fs::path dir = TestFolder();
    ASSERT_EQ(WriteScene(SkinnedScene(), "glb2", dir / "full.glb"), "");
    std::ifstream in(dir / "full.glb", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(bytes.size(), 100u);
    const std::string cut = (dir / "cut.glb").string();
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc).write(bytes.data(), n);
        SceneLoadResult r = OpenSceneFile(cut);
        if (!r.scene) {
            EXPECT_EQ(r.error.rfind(cut + ": ", 0), 0u) << n << " bytes: " << r.error;
        }
    }
}

// Inverse bind matrices are optional in glTF, but the import library's reader crashes on a skin
// without them: such a file, text or binary, is refused with the reason.
TEST(SkinnedImport, SkinWithoutInverseBindMatricesIsRefused) {
    const fs::path dir = TestFolder();
    const fs::path text = dir / "no_bind_matrices.gltf";
    ASSERT_EQ(WriteScene(SkinnedScene(), "gltf2", text), "");
    ASSERT_TRUE(OpenSceneFile(text.string()).scene);
    EditGltf(text, [](nlohmann::json& doc) { doc["skins"][0].erase("inverseBindMatrices"); });
    const std::string reason =
        ": cannot import the scene: skin 0 has no inverse bind matrices (inverseBindMatrices), "
        "which the import library cannot read";
    SceneLoadResult r = OpenSceneFile(text.string());
    EXPECT_FALSE(r.scene);
    EXPECT_EQ(r.error, text.string() + reason);

    // A binary file: its first chunk holds the JSON, the second the buffer.
    const fs::path binary = dir / "no_bind_matrices.glb";
    ASSERT_EQ(WriteScene(SkinnedScene(), "glb2", binary), "");
    const std::string glb = ReadBytes(binary);
    ASSERT_GT(glb.size(), 20u);
    const auto le32 = [](uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    uint32_t jsonLength = 0;
    std::memcpy(&jsonLength, glb.data() + 12, 4);  // little-endian, as the machine
    nlohmann::json doc = nlohmann::json::parse(glb.substr(20, jsonLength));
    doc["skins"][0].erase("inverseBindMatrices");
    std::string json = doc.dump();
    json.resize((json.size() + 3) / 4 * 4, ' ');
    const std::string rest = glb.substr(20 + jsonLength);
    const auto size = static_cast<uint32_t>(json.size());
    std::ofstream(binary, std::ios::binary | std::ios::trunc)
        << "glTF" << le32(2) << le32(static_cast<uint32_t>(20 + size + rest.size())) << le32(size)
        << "JSON" << json << rest;
    r = OpenSceneFile(binary.string());
    EXPECT_FALSE(r.scene);
    EXPECT_EQ(r.error, binary.string() + reason);
}
