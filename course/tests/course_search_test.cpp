#include "course/course_search.h"

#include <gtest/gtest.h>

#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"

namespace {

// root "Scene Root"
//   Dummy01
//     Track01        (reached first: parents before children, depth first)
//     (no name)
//   TRACK01
//   ""               (an empty name)
class CourseSearch : public ::testing::Test {
  protected:
    CourseSearch() : root_("Scene Root") {
        dummy_ = root_.AddChild("Dummy01");
        deepTrack_ = dummy_->AddChild("Track01");
        unnamed_ = dummy_->AddChild(std::nullopt);
        upperTrack_ = root_.AddChild("TRACK01");
        emptyNamed_ = root_.AddChild("");
    }

    CourseSearchResult Find(std::string_view name) { return FindCourseNode(host_, &root_, name); }

    FakeHost host_;
    FakeNode root_;
    FakeNode* dummy_;
    FakeNode* deepTrack_;
    FakeNode* unnamed_;
    FakeNode* upperTrack_;
    FakeNode* emptyNamed_;
};

TEST_F(CourseSearch, FirstNodeInWalkOrderIgnoringCase) {
    for (const char* name : {"Track01", "track01", "TRACK01"}) {
        const CourseSearchResult r = Find(name);
        EXPECT_EQ(r.outcome, SearchOutcome::Found) << name;
        EXPECT_EQ(r.node, deepTrack_) << name;
    }
    EXPECT_EQ(Find("scene root").node, &root_);
    EXPECT_EQ(Find("Track0").outcome, SearchOutcome::NotFound);
    EXPECT_EQ(Find("Track01 ").outcome, SearchOutcome::NotFound);
}

TEST_F(CourseSearch, EmptyNameFindsTheFirstNodeWithoutOne) {
    EXPECT_EQ(Find("").node, unnamed_);
    unnamed_->SetName("named now");
    EXPECT_EQ(Find("").node, emptyNamed_);
    emptyNamed_->SetName("named too");
    EXPECT_EQ(Find("").outcome, SearchOutcome::NotFound);
}

TEST_F(CourseSearch, OnlyAsciiLettersFoldTogether) {
    EXPECT_TRUE(NodeNameMatches("Arm_L", "aRM_l"));
    EXPECT_FALSE(NodeNameMatches("\xC4rm", "\xE4rm"));  // Latin-1 capitals stay themselves
    EXPECT_FALSE(NodeNameMatches("[", "{"));            // 0x5B and 0x7B differ by 0x20 too
    EXPECT_TRUE(NodeNameMatches(nullptr, ""));
    EXPECT_FALSE(NodeNameMatches(nullptr, " "));
}

TEST_F(CourseSearch, CancelIsPolledBeforeEachNode) {
    host_.cancelOnPoll = 3;  // root and Dummy01 pass, Track01 is never tested
    EXPECT_EQ(Find("Track01").outcome, SearchOutcome::Cancelled);
    EXPECT_EQ(host_.Polls(), 3);
    // A search that ends early polls no further.
    FakeHost quiet;
    EXPECT_EQ(FindCourseNode(quiet, &root_, "Dummy01").node, dummy_);
    EXPECT_EQ(quiet.Polls(), 2);
}

TEST_F(CourseSearch, NoRootFindsNothing) {
    EXPECT_EQ(FindCourseNode(host_, nullptr, "").outcome, SearchOutcome::NotFound);
}

}  // namespace
