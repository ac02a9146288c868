#include "plughost/skin.h"

#include <gtest/gtest.h>

#include "plughost/scene.h"

using namespace plughost;

// Weights that do not add up to 1 are scaled; a vertex without weights stays where it is, and
// influences naming a missing vertex or bone are skipped rather than read out of bounds.
TEST(Skin, WeightsAreScaledAndBadInfluencesSkipped) {
    HostNode owner, up, right;
    up.Local().position = {0, 10, 0};
    right.Local().position = {10, 0, 0};
    owner.Local().position = {0, 0, 1};
    // Offsets that cancel the owner's own transform, so a bone's place is its full pull.
    const Matrix3 offset({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1});
    const Skin skin({{&up, offset}, {&right, offset}},
                    {{0, 0, 0.2f}, {0, 1, 0.2f}, {1, 0, 3.0f}, {7, 0, 1.0f}, {1, 9, 1.0f}});
    const std::vector<Point3> posed = skin.Deform({{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, owner, 0);
    ASSERT_EQ(posed.size(), 3u);
    EXPECT_EQ(posed[0], (Point3{5, 5, 0}));   // half and half
    EXPECT_EQ(posed[1], (Point3{1, 11, 1}));  // all on "up"
    EXPECT_EQ(posed[2], (Point3{2, 2, 2}));   // unweighted
}
