// What real glTF files do that the plain import tests do not: nodes that share a name, cameras
// whose position the reader copies from their node, nodes hidden through KHR_node_visibility.
#include <gtest/gtest.h>

#include <algorithm>

#include "import_test_scenes.h"
#include "plughost/scene_import.h"

using namespace plughost;
using namespace import_test;
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr float kPi = 3.14159265f;
constexpr TimeValue kTicksPerFrame = kTicksPerSecond / kImportFrameRate;

aiMatrix4x4 Move(float x, float y, float z) {
    return Compose({x, y, z}, aiQuaternion());
}

void CollectNamed(HostNode* node, const std::string& name, std::vector<HostNode*>& out) {
    if (node->GetName() != nullptr && name == node->GetName()) out.push_back(node);
    for (int i = 0; i < node->NumberOfChildren(); ++i) CollectNamed(node->Child(i), name, out);
}

std::vector<HostNode*> AllNamed(Scene& scene, const std::string& name) {
    std::vector<HostNode*> out;
    CollectNamed(scene.root.get(), name, out);
    return out;
}

json& NodeNamed(json& doc, const std::string& name) {
    for (json& node : doc["nodes"])
        if (node.value("name", "") == name) return node;
    ADD_FAILURE() << "no node " << name;
    static json none;
    return none;
}

void ExpectNear(const Point3& got, const Point3& want, const std::string& what) {
    EXPECT_NEAR(got.x, want.x, 1e-4) << what;
    EXPECT_NEAR(got.y, want.y, 1e-4) << what;
    EXPECT_NEAR(got.z, want.z, 1e-4) << what;
}

// Root > "Head" (a mesh node) and Root > Neck (y = 1) > "Head" (a joint at y = 2 that turns a
// quarter turn about Z over two seconds). "Body" is skinned to the joint: its vertex (1, 2, 0)
// sits one unit to the joint's +X.
fs::path WriteNamesakes(const fs::path& dir) {
    SceneSpec s;
    s.meshes = {{"HeadMesh", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}, {}, 0, {}},
                {"BodyMesh", {{1, 2, 0}, {0, 2, 0}, {0, 2, 1}}, {{0, 1, 2}}, {}, 0, {}}};
    s.meshes[1].bones = {{"HeadJoint", Move(0, -2, 0), {{0, 1.0f}, {1, 1.0f}, {2, 1.0f}}}};
    s.root.children = {{"Head", aiMatrix4x4(), {0}, {}},
                       {"Neck", Move(0, 1, 0), {}, {{"HeadJoint", Move(0, 1, 0), {}, {}}}},
                       {"Body", aiMatrix4x4(), {1}, {}}};
    s.animation = AnimationSpec{20.0, 10.0, {}};
    s.animation->channels.push_back(
        {"HeadJoint",
         {{0.0, {0, 1, 0}}},
         {{0.0, aiQuaternion()}, {20.0, aiQuaternion(aiVector3D(0, 0, 1), kPi / 2)}},
         {{0.0, {1, 1, 1}}}});
    const fs::path file = dir / "namesakes.gltf";
    EXPECT_EQ(WriteScene(s, "gltf2", file), "");
    // The exporter keeps names unique; DCC tools do not. The channel and the skin still name
    // the joint by its index.
    EditGltf(file, [](json& doc) { NodeNamed(doc, "HeadJoint")["name"] = "Head"; });
    return file;
}

}  // namespace

TEST(ImportFileQuirks, EveryNodeOfAChannelsNameFollowsIt) {
    const fs::path file = WriteNamesakes(TestFolder());
    SceneLoadResult r = OpenSceneFile(file.string());
    ASSERT_TRUE(r.scene) << r.error;
    const std::vector<HostNode*> heads = AllNamed(*r.scene, "Head");
    ASSERT_EQ(heads.size(), 2u);
    const TimeValue end = 60 * kTicksPerFrame;
    for (HostNode* head : heads) {
        ASSERT_TRUE(head->Local().IsAnimated());
        const Matrix3 local = head->Local().MatrixAt(end);
        ExpectNear(local[0], {0, 1, 0}, "the X axis turned onto +Y");
    }
    // The joint turns about its own place under the neck.
    HostNode* joint = heads[0]->GetObjectRef() == nullptr ? heads[0] : heads[1];
    ExpectNear(joint->GetNodeTM(end).GetTrans(), {0, 2, 0}, "joint");

    // The skin's bone is the joint (the namesake without a mesh), not the mesh node before it.
    HostNode* body = AllNamed(*r.scene, "Body").at(0);
    HostObject* posed = body->EvalWorldState(end).obj;
    ASSERT_TRUE(posed && posed->ClassID() == kTriangleMeshClassId);
    const TriangleMesh& m = static_cast<MeshObject*>(posed)->GetMesh();
    const Point3 tip = m.vertices[0] * body->GetObjectTM(end);
    ExpectNear(tip, {0, 3, 0}, "vertex turned with the joint");

    // One warning for the name, with the file's name in front.
    const auto ambiguous = std::count_if(r.warnings.begin(), r.warnings.end(), [](auto& w) {
        return w.find("2 nodes are named \"Head\": the exported names are ambiguous") !=
               std::string::npos;
    });
    EXPECT_EQ(ambiguous, 1) << ::testing::PrintToString(r.warnings);
    EXPECT_EQ(r.warnings.size(), 1u) << ::testing::PrintToString(r.warnings);
}

TEST(ImportFileQuirks, GltfCameraSitsAtItsNodeTranslation) {
    SceneSpec s;
    // Rig (x = 10) > Cam (0.5, 0.5, 3), turned a quarter turn about X: it looks along +Y.
    NodeSpec cam{
        "Cam", Compose({0.5f, 0.5f, 3}, aiQuaternion(aiVector3D(1, 0, 0), kPi / 2)), {}, {}};
    s.root.children = {{"Rig", Move(10, 0, 0), {}, {cam}}};
    const fs::path file = TestFolder() / "camera.gltf";
    ASSERT_EQ(WriteScene(s, "gltf2", file), "");
    // The exporter writes no cameras.
    EditGltf(file, [](json& doc) {
        doc["cameras"] = json::array(
            {{{"type", "perspective"},
              {"perspective",
               {{"yfov", 0.6}, {"aspectRatio", 1.5}, {"znear", 0.1}, {"zfar", 100.0}}}}});
        NodeNamed(doc, "Cam")["camera"] = 0;
    });
    SceneLoadResult r = OpenSceneFile(file.string());
    ASSERT_TRUE(r.scene) << r.error;
    HostNode* node = AllNamed(*r.scene, "Cam").at(0);
    ASSERT_TRUE(node->GetObjectRef());
    ASSERT_EQ(node->GetObjectRef()->SuperClassID(), kCameraSuperClass);
    ExpectNear(node->GetNodeTM(0).GetTrans(), {10.5f, 0.5f, 3}, "node");
    ExpectNear(node->GetObjectTM(0).GetTrans(), {10.5f, 0.5f, 3}, "camera");
    ExpectNear(VectorTransform({0, 0, -1}, node->GetObjectTM(0)), {0, 1, 0}, "view");
}

TEST(ImportFileQuirks, NodesMadeInvisibleAreHiddenWithTheirChildren) {
    SceneSpec s;
    s.root.children = {{"Shown", aiMatrix4x4(), {}, {}},
                       {"Gone", aiMatrix4x4(), {}, {{"GoneChild", aiMatrix4x4(), {}, {}}}},
                       {"SaidVisible", aiMatrix4x4(), {}, {}}};
    const fs::path file = TestFolder() / "visibility.gltf";
    ASSERT_EQ(WriteScene(s, "gltf2", file), "");
    EditGltf(file, [](json& doc) {
        doc["extensionsUsed"].push_back("KHR_node_visibility");
        NodeNamed(doc, "Gone")["extensions"]["KHR_node_visibility"]["visible"] = false;
        NodeNamed(doc, "SaidVisible")["extensions"]["KHR_node_visibility"]["visible"] = true;
    });
    SceneLoadResult r = OpenSceneFile(file.string());
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_FALSE(AllNamed(*r.scene, "Shown").at(0)->IsNodeHidden());
    EXPECT_TRUE(AllNamed(*r.scene, "Gone").at(0)->IsNodeHidden());
    EXPECT_TRUE(AllNamed(*r.scene, "GoneChild").at(0)->IsNodeHidden());
    EXPECT_FALSE(AllNamed(*r.scene, "SaidVisible").at(0)->IsNodeHidden());
    EXPECT_FALSE(r.scene->root->IsNodeHidden());
}
