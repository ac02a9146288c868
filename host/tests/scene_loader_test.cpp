#include "plughost/scene_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>

using namespace plughost;

namespace {

// Every member of the format once.
const char* kFullScene = R"({
  "frameRate": 25, "range": [2, 40], "time": 7.5,
  "root": {"name": "Scene Root", "children": [
    {"name": "Bip01", "hidden": true, "position": [1, 2, 3], "rotation": [0, 0, 0, 2],
     "scale": [1, 1, 1], "positionKeys": [[0, 0, 0, 0]], "rotationKeys": [[0, 0, 0, 0, 1]],
     "scaleKeys": [[0, 1, 1, 1]],
     "offset": {"position": [0, 0, 1], "rotation": [0, 0, 0, 1], "scale": [1, 1, 1]},
     "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]], "faces": [[0,1,2,3]],
                "tverts": [[0,0],[1,0,0.5],[0,1]], "tvfaces": [[0,1,2]]},
     "modifiers": [{"type": "physique"}, {"type": "physique", "hasContext": false}],
     "material": {"type": "multi", "subMaterials": [
        {"type": "standard", "diffuseMap": "maps\\skin.png", "bumpMap": {"type": "checker"},
         "opacityMap": "a.tga", "shininess": 0.5, "shininessStrength": 0.25,
         "transparency": 0.125, "twoSided": true, "diffuse": [1, 0.5, 0]},
        null, {"type": "other", "diffuseMap": "b.png"}]}},
    {"object": {"type": "poly", "vertices": [[0,0,0]]}},
    {"name": null, "object": {"type": "camera", "fov": 1.0, "near": 2, "far": 3}},
    {"object": {"type": "target"}}, {"object": {"type": "light"}}, {"object": {"type": "shape"}}
  ]}})";

std::string ErrorOf(const std::string& text) {
    SceneLoadResult r = LoadSceneText(text, "scene.json");
    EXPECT_FALSE(r.scene) << "expected a failure for " << text;
    return r.error;
}

}  // namespace

TEST(SceneLoader, ReadsEveryMember) {
    SceneLoadResult r = LoadSceneText(kFullScene, "dir/sub/scene.json");
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_TRUE(r.warnings.empty());
    const Scene& s = *r.scene;
    EXPECT_EQ(s.folder, "dir/sub");
    EXPECT_EQ(s.frameRate, 25);
    EXPECT_EQ(s.ticksPerFrame, 192);
    EXPECT_EQ(s.range.start, 2 * 192);
    EXPECT_EQ(s.range.end, 40 * 192);
    EXPECT_EQ(s.time, 1440);  // 7.5 frames
    HostNode& root = *s.root;
    EXPECT_STREQ(root.GetName(), "Scene Root");
    ASSERT_EQ(root.NumberOfChildren(), 6);
    HostNode* bip = root.Child(0);
    EXPECT_TRUE(bip->IsNodeHidden());
    EXPECT_EQ(bip->GetParentNode(), &root);
    EXPECT_EQ(bip->GetObjectRef()->SuperClassID(), kDerivedObjectSuperClass);
    auto* mesh = static_cast<MeshObject*>(bip->EvalWorldState(0).obj);
    ASSERT_EQ(mesh->GetMesh().FaceCount(), 1);
    EXPECT_EQ(mesh->GetMesh().faces[0].MaterialId(), 3);
    EXPECT_EQ(mesh->GetMesh().textureVertices[1], Point3(1, 0, 0.5f));
    EXPECT_EQ(root.Child(1)->GetObjectRef()->ClassID(), kPolyObjectClassId);
    EXPECT_EQ(root.Child(2)->GetName(), nullptr);
    auto* camera = static_cast<CameraObject*>(root.Child(2)->GetObjectRef());
    EXPECT_FLOAT_EQ(camera->FieldOfView(), 1.0f);
    EXPECT_FLOAT_EQ(camera->FarClip(), 3.0f);
    EXPECT_EQ(root.Child(3)->GetObjectRef()->ClassID(), kTargetObjectClassId);
    EXPECT_EQ(root.Child(4)->GetObjectRef()->SuperClassID(), kLightSuperClass);
    EXPECT_EQ(root.Child(5)->GetObjectRef()->SuperClassID(), kShapeSuperClass);
}

TEST(SceneLoader, DefaultsForAMinimalScene) {
    SceneLoadResult r = LoadSceneText(R"({"root": {}})", "scene.json");
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_EQ(r.scene->folder, ".");
    EXPECT_EQ(r.scene->ticksPerFrame, 160);
    EXPECT_EQ(r.scene->range.start, 0);
    EXPECT_EQ(r.scene->range.end, 0);
    EXPECT_EQ(r.scene->root->GetName(), nullptr);
    EXPECT_EQ(r.scene->root->GetObjectRef(), nullptr);
    EXPECT_EQ(r.scene->root->GetNodeTM(0), Matrix3());
}

TEST(SceneLoader, TimeDefaultsToTheRangeStart) {
    SceneLoadResult r = LoadSceneText(R"({"range": [3, 9], "root": {}})", "scene.json");
    ASSERT_TRUE(r.scene);
    EXPECT_EQ(r.scene->time, 3 * 160);
}

TEST(SceneLoader, UnknownMembersAreWarnedAboutWithTheirPath) {
    SceneLoadResult r = LoadSceneText(
        R"({"comment": 1, "root": {"rotaton": [0,0,0,1], "children": [{"object": {"type": "light", "x": 1}}]}})",
        "scene.json");
    ASSERT_TRUE(r.scene) << r.error;
    ASSERT_EQ(r.warnings.size(), 3u);
    EXPECT_EQ(r.warnings[0], "scene.json: (top level).comment: unknown member ignored");
    EXPECT_EQ(r.warnings[1], "scene.json: root.rotaton: unknown member ignored");
    EXPECT_EQ(r.warnings[2], "scene.json: root.children[0].object.x: unknown member ignored");
}

struct BadScene {
    const char* text;
    const char* message;
};

void PrintTo(const BadScene& b, std::ostream* os) {
    *os << b.message;
}

class SceneLoaderFaults : public testing::TestWithParam<BadScene> {};

TEST_P(SceneLoaderFaults, NameTheFileAndThePath) {
    EXPECT_EQ(ErrorOf(GetParam().text), std::string("scene.json: ") + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SceneLoaderFaults,
    testing::Values(
        BadScene{"[]", "(top level): expected an object"},
        BadScene{"{}", "root: missing (the scene root node is required)"},
        BadScene{R"({"root": []})", "root: expected an object"},
        BadScene{R"({"frameRate": 7, "root": {}})",
                 "frameRate: must be a whole number of frames per second that divides 4800"},
        BadScene{R"({"frameRate": 0, "root": {}})",
                 "frameRate: must be a whole number of frames per second that divides 4800"},
        BadScene{R"({"frameRate": "30", "root": {}})", "frameRate: expected a number"},
        BadScene{R"({"range": [5], "root": {}})",
                 "range: expected 2 numbers (start and end frame)"},
        BadScene{R"({"range": [5, 1], "root": {}})", "range: end frame before start frame"},
        BadScene{R"({"range": [0, 1e12], "root": {}})", "range: frame out of range"},
        BadScene{R"({"time": null, "root": {}})", "time: expected a number"},
        BadScene{R"({"root": {"children": [{}, {}, {"rotation": [1, 2]}]}})",
                 "root.children[2].rotation: expected 4 numbers"},
        BadScene{R"({"root": {"rotation": [0, 0, 0, 0]}})",
                 "root.rotation: expected a unit quaternion, got 0,0,0,0"},
        BadScene{R"({"root": {"position": [1, "2", 3]}})", "root.position: expected 3 numbers"},
        BadScene{R"({"root": {"scale": [1, 1, 1e39]}})", "root.scale[2]: number out of range"},
        BadScene{R"({"root": {"name": 5}})", "root.name: expected a string"},
        BadScene{R"({"root": {"hidden": 1}})", "root.hidden: expected true or false"},
        BadScene{R"({"root": {"children": {}}})", "root.children: expected a list of nodes"},
        BadScene{R"({"root": {"children": [3]}})", "root.children[0]: expected an object"},
        BadScene{R"({"root": {"positionKeys": [[0, 1, 2]]}})",
                 "root.positionKeys[0]: expected 4 numbers (frame, x, y, z)"},
        BadScene{R"({"root": {"positionKeys": [[5, 0, 0, 0], [4, 0, 0, 0]]}})",
                 "root.positionKeys[1]: key frames must not decrease"},
        BadScene{R"({"root": {"rotationKeys": [[0, 0, 0, 1]]}})",
                 "root.rotationKeys[0]: expected 5 numbers (frame, x, y, z, w)"},
        BadScene{R"({"root": {"scaleKeys": 1}})", "root.scaleKeys: expected a list of keys"},
        BadScene{R"({"root": {"offset": [1]}})", "root.offset: expected an object"},
        BadScene{R"({"root": {"offset": {"scale": [1]}}})",
                 "root.offset.scale: expected 3 numbers"},
        BadScene{R"({"root": {"object": {}}})",
                 "root.object.type: missing (mesh, poly, camera, target, light or shape)"},
        BadScene{R"({"root": {"object": {"type": "nurbs"}}})",
                 "root.object.type: unknown object type \"nurbs\" (expected mesh, poly, camera, "
                 "target, light or shape)"},
        BadScene{
            R"({"root": {"object": {"type": "mesh", "vertices": [[0,0,0]], "faces": [[0,0,1]]}}})",
            "root.object.faces[0][2]: vertex index 1 out of range (1 vertex)"},
        BadScene{
            R"({"root": {"object": {"type": "mesh", "vertices": [[0,0,0]], "faces": [[0,-1,0]]}}})",
            "root.object.faces[0][1]: vertex index -1 out of range (1 vertex)"},
        BadScene{
            R"({"root": {"object": {"type": "mesh", "vertices": [[0,0,0]], "faces": [[0,0.5,0]]}}})",
            "root.object.faces[0][1]: expected a non-negative integer"},
        BadScene{R"({"root": {"object": {"type": "poly", "faces": [[0,0]]}}})",
                 "root.object.faces[0]: expected 3 vertex indices and an optional material id"},
        BadScene{
            R"({"root": {"object": {"type": "mesh", "vertices": [[0,0,0]], "faces": [[0,0,0,65536]]}}})",
            "root.object.faces[0][3]: expected a material id from 0 to 65535"},
        BadScene{R"({"root": {"object": {"type": "mesh", "tverts": []}}})",
                 "root.object.tverts: tverts and tvfaces must be given together"},
        BadScene{R"({"root": {"object": {"type": "mesh", "tverts": [[0]], "tvfaces": []}}})",
                 "root.object.tverts[0]: expected 2 or 3 numbers"},
        BadScene{
            R"({"root": {"object": {"type": "mesh", "vertices": [[0,0,0]], "faces": [[0,0,0]],
                 "tverts": [[0,0]], "tvfaces": []}}})",
            "root.object.tvfaces: expected one texture face per face (1 faces, 0 texture faces)"},
        BadScene{
            R"({"root": {"object": {"type": "mesh", "vertices": [[0,0,0]], "faces": [[0,0,0]],
                 "tverts": [[0,0]], "tvfaces": [[0,0,2]]}}})",
            "root.object.tvfaces[0][2]: texture vertex index 2 out of range (1 texture vertex)"},
        BadScene{R"({"root": {"object": {"type": "camera", "fov": 4}}})",
                 "root.object.fov: expected a field of view between 0 and pi radians"},
        BadScene{R"({"root": {"modifiers": {}}})", "root.modifiers: expected a list of modifiers"},
        BadScene{R"({"root": {"modifiers": [{"type": "skin"}]}})",
                 "root.modifiers[0].type: unknown modifier type \"skin\" (expected physique)"},
        BadScene{R"({"root": {"modifiers": [{"type": "physique", "hasContext": "no"}]}})",
                 "root.modifiers[0].hasContext: expected true or false"},
        BadScene{R"({"root": {"material": {"type": "glass"}}})",
                 "root.material.type: unknown material type \"glass\" (expected standard, multi "
                 "or other)"},
        BadScene{
            R"({"root": {"material": {"type": "standard", "diffuseMap": 3}}})",
            "root.material.diffuseMap: expected a bitmap file name or {\"type\": \"checker\"}"},
        BadScene{R"({"root": {"material": {"type": "multi", "subMaterials": [null, 1]}}})",
                 "root.material.subMaterials[1]: expected an object"},
        BadScene{R"({"root": {"material": {"type": "standard", "twoSided": 1}}})",
                 "root.material.twoSided: expected true or false"},
        BadScene{"1e400", "(top level): number out of range"},
        BadScene{R"({"root": {"position": [0, -1e400, 0]}})",
                 "root.position[1]: number out of range"},
        BadScene{R"({"root": {"children": [{}, {"positionKeys": [[0, 1, 2, 3], [1e999, 0]]}]}})",
                 "root.children[1].positionKeys[1][0]: number out of range"},
        BadScene{R"({"root": {"modifiers": [{"type": {"b": [1.5, null], "a": true}}]}})",
                 "root.modifiers[0].type: unknown modifier type {\"a\":true,\"b\":[1.5,null]} "
                 "(expected physique)"}),
    [](const testing::TestParamInfo<BadScene>& param) { return std::to_string(param.index); });

TEST(SceneLoader, InvalidJsonGivesLineAndColumn) {
    const std::string error = ErrorOf("{\n  \"root\": {,}\n}");
    EXPECT_EQ(error.rfind("scene.json: invalid JSON: parse error at line 2, column 12", 0), 0u)
        << error;
}

// What the JSON grammar allows beyond the plain cases reads as it always did: a byte order
// mark, a name given twice (the last counts; one warning for an unknown one), integers longer
// than 64 bits, escapes in names.
TEST(SceneLoader, ReadsEveryFormOfJson) {
    SceneLoadResult r = LoadSceneText(
        "\xEF\xBB\xBF{\"root\": {\"name\": \"a\", \"n\\u0061me\": \"b\", \"x\": 1, \"x\": 2,"
        " \"position\": [100000000000000000000, -0, 2.5e-3],"
        " \"object\": {\"type\": \"mesh\", \"vertices\": [[0,0,0]], \"faces\": [[0, -0, 0]]},"
        " \"material\": {\"type\": \"standard\", \"diffuseMap\": {\"type\": \"checker\","
        " \"type\": \"checker\"}}}}",
        "scene.json");
    ASSERT_TRUE(r.scene) << r.error;
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0], "scene.json: root.x: unknown member ignored");
    HostNode& root = *r.scene->root;
    EXPECT_STREQ(root.GetName(), "b");
    EXPECT_EQ(root.GetNodeTM(0).GetTrans(), Point3(1e20f, 0, 0.0025f));
    EXPECT_FALSE(std::signbit(root.GetNodeTM(0).GetTrans().y));
}

TEST(SceneLoader, AJsonFileOfOneHugeNumberIsAFault) {
    const std::string file = ::testing::TempDir() + "/huge_number.json";
    std::ofstream(file, std::ios::binary) << "1e400";
    SceneLoadResult r = LoadSceneFile(file);
    EXPECT_FALSE(r.scene);
    EXPECT_EQ(r.error, file + ": (top level): number out of range");
}

TEST(SceneLoader, MissingFileAndFolderAreNamed) {
    SceneLoadResult r = LoadSceneFile("/nonexistent/scene.json");
    EXPECT_FALSE(r.scene);
    EXPECT_EQ(r.error,
              "/nonexistent/scene.json: cannot open the scene file (No such file or directory)");
    r = LoadSceneFile(TEST_DATA_DIR);
    EXPECT_EQ(r.error, std::string(TEST_DATA_DIR) + ": is a folder, not a scene file");
}

TEST(SceneLoader, DeepNestingIsRefusedNotOverflowed) {
    std::string text = R"({"root": )";
    for (int i = 0; i < 5000; ++i) text += R"({"children": [)";
    text += "{}";
    for (int i = 0; i < 5000; ++i) text += "]}";
    text += "}";
    const std::string error = ErrorOf(text);
    EXPECT_NE(error.find("nodes nested deeper than 1000"), std::string::npos)
        << error.substr(0, 200);
}

// Every cut of a valid scene is either loaded or refused with a message; none may crash (run
// under the sanitizer build, this also checks for out-of-bounds reads).
TEST(SceneLoader, EveryTruncatedPrefixFailsCleanly) {
    const std::string full = kFullScene;
    for (size_t n = 0; n < full.size(); ++n) {
        const auto prefix = std::make_unique<std::string>(full.substr(0, n));
        SceneLoadResult r = LoadSceneText(*prefix, "scene.json");
        EXPECT_FALSE(r.scene) << "prefix of " << n << " bytes loaded";
        EXPECT_FALSE(r.error.empty());
    }
}

TEST(SceneLoader, SampleSceneLoadsWithoutWarnings) {
    SceneLoadResult r = LoadSceneFile(SAMPLE_SCENE);
    ASSERT_TRUE(r.scene) << r.error;
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
}
