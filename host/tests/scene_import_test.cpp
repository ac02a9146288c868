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

// A hip with an oblique rotation and an uneven scale, a spine below it that turns about Z over
// two seconds and moves along Y.
SceneSpec Skeleton() {
    SceneSpec s;
    NodeSpec hips{
        "Hips",
        Compose({1, 2, 3}, aiQuaternion(aiVector3D(1, 1, 0).Normalize(), 0.7f), {1, 2, 3}),
        {},
        {}};
    hips.children.push_back({"Spine", Compose({0, 4, 0}, aiQuaternion()), {}, {}});
    s.root.children.push_back(hips);
    s.animation = AnimationSpec{20.0, 10.0, {}};
    ChannelSpec spine{"Spine", {}, {}, {}};
    spine.positions = {{0.0, {0, 4, 0}}, {20.0, {0, 10, 0}}};
    spine.rotations = {{0.0, aiQuaternion()}, {20.0, aiQuaternion(aiVector3D(0, 0, 1), kPi / 2)}};
    spine.scales = {{0.0, {1, 1, 1}}};
    s.animation->channels.push_back(spine);
    return s;
}

}  // namespace

TEST(SceneImport, NodeTreeAndTransformsFollowTheFile) {
    const fs::path file = TestFolder() / "skeleton.gltf";
    const SceneSpec spec = Skeleton();
    ASSERT_EQ(WriteScene(spec, "gltf2", file), "");
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
    const aiMatrix4x4& hipTm = spec.root.children[0].transform;
    const aiMatrix4x4 spineWorld = hipTm * spec.root.children[0].children[0].transform;
    for (const aiVector3D p : {aiVector3D(0, 0, 0), aiVector3D(1, 0, 0), aiVector3D(0.5f, -2, 7)}) {
        ExpectNear(Point3{p.x, p.y, p.z} * hips->GetNodeTM(0), hipTm * p, "hips");
        ExpectNear(Point3{p.x, p.y, p.z} * spine->GetNodeTM(0), spineWorld * p, "spine");
    }
}

TEST(SceneImport, FirstAnimationBecomesKeyTracksAtThirtyFramesPerSecond) {
    const fs::path file = TestFolder() / "skeleton.glb";
    ASSERT_EQ(WriteScene(Skeleton(), "glb2", file), "");
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
    SceneSpec spec;
    spec.root.children.push_back({"Still", Compose({1, 0, 0}, aiQuaternion()), {}, {}});
    const fs::path file = TestFolder() / "still.gltf";
    ASSERT_EQ(WriteScene(spec, "gltf2", file), "");
    auto scene = Load(file);
    ASSERT_TRUE(scene);
    EXPECT_EQ(scene->range.start, 0);
    EXPECT_EQ(scene->range.end, 0);
    EXPECT_FALSE(Find(scene->root.get(), "Still")->Local().IsAnimated());
}
