#include "plughost/animation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plughost/scene_loader.h"

using namespace plughost;

namespace {

constexpr double kPi = 3.14159265358979323846;

Quat AboutZ(double angle) {
    return {0, 0, std::sin(angle / 2), std::cos(angle / 2)};
}

void ExpectNear(const Point3& a, const Point3& b, float tol = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

std::unique_ptr<Scene> Load(const std::string& text) {
    SceneLoadResult r = LoadSceneText(text, "test.json");
    EXPECT_TRUE(r.scene) << r.error;
    return std::move(r.scene);
}

}  // namespace

TEST(Animation, RotationMatrixRowsAreTheRotatedAxes) {
    const Matrix3 m = RotationMatrix(AboutZ(kPi / 2));
    ExpectNear(m[0], {0, 1, 0});
    ExpectNear(m[1], {-1, 0, 0});
    ExpectNear(m[2], {0, 0, 1});
    ExpectNear(Point3(1, 0, 0) * m, {0, 1, 0});
}

TEST(Animation, PositionTrackInterpolatesAndHoldsOutsideItsKeys) {
    const std::vector<VectorKey> keys = {{0, {0, 0, 0}}, {100, {10, 20, -30}}, {200, {10, 0, 0}}};
    ExpectNear(EvaluateTrack(keys, -50), {0, 0, 0});
    ExpectNear(EvaluateTrack(keys, 25), {2.5f, 5, -7.5f});
    ExpectNear(EvaluateTrack(keys, 100), {10, 20, -30});
    ExpectNear(EvaluateTrack(keys, 150), {10, 10, -15});
    ExpectNear(EvaluateTrack(keys, 1e9), {10, 0, 0});
}

// Two keys at one frame are a step: the later wins from that time on, the first one's time
// included. Loaded from a scene, where such keys are valid.
TEST(Animation, KeysAtTheSameTimeMakeAStep) {
    auto scene = Load(R"({"root": {
        "positionKeys": [[0, 0, 0, 0], [10, 1, 0, 0], [10, 5, 0, 0], [20, 6, 0, 0]],
        "scaleKeys": [[0, 1, 1, 1], [0, 2, 2, 2], [10, 3, 3, 3]]}})");
    HostNode& root = *scene->root;
    ExpectNear(root.GetNodeTM(5 * 160).GetTrans(), {0.5f, 0, 0});
    ExpectNear(root.GetNodeTM(10 * 160).GetTrans(), {5, 0, 0});
    ExpectNear(root.GetNodeTM(15 * 160).GetTrans(), {5.5f, 0, 0});
    ExpectNear(root.GetNodeTM(0)[0], {2, 0, 0});
    ExpectNear(root.GetNodeTM(5 * 160)[0], {2.5f, 0, 0});
    // The hint of the last pair found gives the same answers whatever order times come in.
    size_t hint = 2;
    const std::vector<VectorKey>& keys = root.Local().positionKeys;
    for (double tick : {2400.0, 800.0, 1600.0, 0.0, 3200.0, 1000.0})
        EXPECT_EQ(EvaluateTrack(keys, tick, &hint), EvaluateTrack(keys, tick)) << tick;
}

TEST(Animation, SlerpTakesTheShorterWayAndKeepsUnitLength) {
    // 350 degrees about z is -10 degrees; halfway from 0 must be -5 degrees, not 175.
    const Quat q = Slerp(AboutZ(0), AboutZ(350 * kPi / 180), 0.5);
    const Matrix3 m = RotationMatrix(q);
    const double angle = std::atan2(m[0].y, m[0].x) * 180 / kPi;
    EXPECT_NEAR(angle, -5.0, 1e-3);
    EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1.0, 1e-9);
    // A quarter of the way through a 90 degree turn is 22.5 degrees: a true slerp, not a lerp.
    const Matrix3 quarter = RotationMatrix(Slerp(AboutZ(0), AboutZ(kPi / 2), 0.25));
    EXPECT_NEAR(std::atan2(quarter[0].y, quarter[0].x), kPi / 8, 1e-6);
    // Keys in opposite hemispheres (20 and 340 degrees: w of opposite signs), a quarter of the
    // way: 10 degrees. Only the ends and the middle come out right when the flip of the second
    // key is not matched by the angle between them.
    const Matrix3 across = RotationMatrix(Slerp(AboutZ(kPi / 9), AboutZ(17 * kPi / 9), 0.25));
    EXPECT_NEAR(std::atan2(across[0].y, across[0].x) * 180 / kPi, 10.0, 1e-3);
}

TEST(Animation, RotationTrackHoldsItsEndKeys) {
    const std::vector<RotationKey> keys = {{0, AboutZ(0)}, {160, AboutZ(kPi / 2)}};
    const Quat after = EvaluateTrack(keys, 500);
    EXPECT_NEAR(after.z, std::sin(kPi / 4), 1e-9);
    EXPECT_NEAR(EvaluateTrack(keys, -500).w, 1.0, 1e-9);
}

TEST(Animation, LocalMatrixScalesTheRotatedAxes) {
    AnimatedTransform tm;
    tm.rotation = AboutZ(kPi / 2);
    tm.scale = {2, 3, 4};
    tm.position = {1, 2, 3};
    const Matrix3 m = tm.MatrixAt(0);
    ExpectNear(m[0], {0, 2, 0});
    ExpectNear(m[1], {-3, 0, 0});
    ExpectNear(m[2], {0, 0, 4});
    ExpectNear(m[3], {1, 2, 3});
}

TEST(Animation, FractionalFramesInterpolateBetweenKeysAndRoundToTicks) {
    // 30 frames per second: 160 ticks per frame.
    auto scene = Load(R"({"frameRate": 30, "root": {"positionKeys": [[0, 0, 0, 0], [10, 100, 0, 0]],
        "scaleKeys": [[2.5, 1, 1, 1], [5, 2, 2, 2]]}})");
    HostNode& root = *scene->root;
    ExpectNear(root.GetNodeTM(FramesToTicks(2.5, 160)).GetTrans(), {25, 0, 0});
    ExpectNear(root.GetNodeTM(80).GetTrans(), {5, 0, 0});  // half a frame
    ExpectNear(root.GetNodeTM(FramesToTicks(3.75, 160))[0], {1.5f, 0, 0});
    EXPECT_EQ(FramesToTicks(0.5, 160), 80);
    EXPECT_EQ(FramesToTicks(1.0 / 3.0, 160), 53);  // 53.33 rounds to nearest
    EXPECT_EQ(FramesToTicks(-0.5, 160), -80);
}

TEST(Animation, NodeTransformIsLocalTimesParentAndObjectTransformAddsTheOffset) {
    auto scene = Load(R"({"root": {"position": [10, 0, 0],
        "rotation": [0, 0, 0.70710678, 0.70710678],
        "children": [{"name": "child", "position": [1, 0, 0], "scale": [2, 2, 2],
                      "offset": {"position": [0, 0, 5]}}]}})");
    HostNode* child = scene->root->Child(0);
    const Matrix3 node = child->GetNodeTM(0);
    // The child's x offset is turned onto the parent's y axis, then moved by the parent.
    ExpectNear(node.GetTrans(), {10, 1, 0});
    ExpectNear(node[0], {0, 2, 0});
    const Matrix3 object = child->GetObjectTM(0);
    // The offset is applied in the child's own (scaled) frame: 5 along z scales to 10.
    ExpectNear(object.GetTrans(), {10, 1, 10});
    ExpectNear(object[0], node[0]);
}

TEST(Animation, AnimatedParentMovesItsChildren) {
    auto scene = Load(R"({"root": {"children": [{"name": "parent",
        "positionKeys": [[0, 0, 0, 0], [10, 0, 50, 0]],
        "children": [{"name": "child", "position": [0, 0, 1]}]}]}})");
    HostNode* child = scene->root->Child(0)->Child(0);
    ExpectNear(child->GetNodeTM(5 * 160).GetTrans(), {0, 25, 1});
    ExpectNear(child->GetNodeTM(50 * 160).GetTrans(), {0, 50, 1});
}
