// The search order, the empty name and cancelling are covered through whole exports in
// course_exporter_test.cpp; these are the name comparison's own edges.
#include "course/course_search.h"

#include <gtest/gtest.h>

#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"

namespace course {

using namespace hostfakes;

namespace {

TEST(CourseSearch, OnlyAsciiLettersFoldTogether) {
    EXPECT_TRUE(NodeNameMatches("Arm_L", "aRM_l"));
    EXPECT_FALSE(NodeNameMatches("\xC4rm", "\xE4rm"));  // Latin-1 capitals stay themselves
    EXPECT_FALSE(NodeNameMatches("[", "{"));            // 0x5B and 0x7B differ by 0x20 too
    EXPECT_FALSE(NodeNameMatches("Track01", "Track01 "));
    EXPECT_TRUE(NodeNameMatches(nullptr, ""));
    EXPECT_FALSE(NodeNameMatches(nullptr, " "));
}

TEST(CourseSearch, AnEmptyNameCountsAsNoName) {
    FakeNode root("Scene Root");
    FakeNode* empty = root.AddChild("Dummy01")->AddChild("");
    root.AddChild(std::nullopt);
    FakeHost host;
    EXPECT_EQ(FindCourseNode(host, &root, "").node, empty);
    EXPECT_EQ(FindCourseNode(host, nullptr, "").outcome, SearchOutcome::NotFound);
}

}  // namespace

}  // namespace course
