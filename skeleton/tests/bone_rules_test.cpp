#include "skeleton/bone_rules.h"

#include <gtest/gtest.h>

#include "frame/export_settings.h"
#include "skeleton/bone_name_list.h"

namespace skeleton {

using namespace frame;

namespace {

TEST(MatchWildcard, StarsAndQuestionMarks) {
    EXPECT_TRUE(MatchWildcard("", "", true));
    EXPECT_FALSE(MatchWildcard("", "a", true));
    EXPECT_TRUE(MatchWildcard("*", "", true));
    EXPECT_TRUE(MatchWildcard("*", "anything", true));
    EXPECT_TRUE(MatchWildcard("Arm*", "Arm", true));
    EXPECT_TRUE(MatchWildcard("Arm*", "ArmLeft", true));
    EXPECT_FALSE(MatchWildcard("Arm*", "LeftArm", true));
    EXPECT_TRUE(MatchWildcard("*End", "ArmLeftEnd", true));
    EXPECT_FALSE(MatchWildcard("*End", "ArmLeftEnds", true));
    EXPECT_TRUE(MatchWildcard("?", "x", true));
    EXPECT_FALSE(MatchWildcard("?", "", true));
    EXPECT_FALSE(MatchWildcard("?", "xy", true));
    EXPECT_TRUE(MatchWildcard("B?p*", "Bip01 Spine", true));
    EXPECT_TRUE(MatchWildcard("a*b*c", "aXXbYYc", true));
    EXPECT_FALSE(MatchWildcard("a*b*c", "aXXcYYb", true));
    // The star retries later positions: the first "b" is not the one that matches.
    EXPECT_TRUE(MatchWildcard("*bc", "abbc", true));
    EXPECT_TRUE(MatchWildcard("*?", "a", true));
    EXPECT_FALSE(MatchWildcard("*?", "", true));
    EXPECT_TRUE(MatchWildcard("**", "", true));
}

TEST(MatchWildcard, CaseFoldingIsAsciiOnly) {
    EXPECT_TRUE(MatchWildcard("arm*", "ARM2", false));
    EXPECT_FALSE(MatchWildcard("arm*", "ARM2", true));
    EXPECT_TRUE(MatchWildcard("ARM", "arm", false));
    EXPECT_FALSE(MatchWildcard("\xC4", "\xE4", false));  // Latin-1 A and a umlaut: not folded
    EXPECT_FALSE(MatchWildcard("[", "{", false));        // neighbours of the letter ranges
}

TEST(MatchWildcard, ManyStarsStayFast) {
    // Trying every split of each star would take astronomically long here.
    const std::string pattern = std::string(40, '*') + std::string(3, 'a') + "*b";
    const std::string text(5000, 'a');
    EXPECT_FALSE(MatchWildcard(pattern, text, false));
    EXPECT_TRUE(MatchWildcard(pattern, text + "b", false));
    std::string starry;
    for (int i = 0; i < 200; ++i) starry += "a*";
    EXPECT_FALSE(MatchWildcard(starry + "c", std::string(3000, 'a'), true));
}

TEST(IsBoneName, LastMatchingRuleDecides) {
    const std::vector<std::string> rules = {"+Arm*", "-*End"};
    EXPECT_TRUE(IsBoneName(rules, "ArmLeft"));
    EXPECT_FALSE(IsBoneName(rules, "ArmLeftEnd"));
    EXPECT_FALSE(IsBoneName(rules, "Leg"));  // no rule matches: not a bone
    const std::vector<std::string> reversed = {"-*End", "+Arm*"};
    EXPECT_TRUE(IsBoneName(reversed, "ArmLeftEnd"));
}

TEST(IsBoneName, SignsCaseAndEmptyNames) {
    EXPECT_FALSE(IsBoneName({}, "Bip01"));
    EXPECT_TRUE(IsBoneName({"+arm*"}, "ARM2"));
    EXPECT_TRUE(IsBoneName({"+?"}, "x"));
    EXPECT_FALSE(IsBoneName({"+?"}, "xy"));
    // A rule that is only the sign matches nodes without a name only.
    EXPECT_TRUE(IsBoneName({"+"}, ""));
    EXPECT_FALSE(IsBoneName({"+"}, "a"));
    // Any first character other than '+' excludes.
    EXPECT_FALSE(IsBoneName({"+*", "x*"}, "a"));
    EXPECT_TRUE(IsBoneName({"+*", ""}, ""));  // an empty rule is skipped
}

TEST(BoneNameList, FindIgnoresCaseAndTakesTheFirst) {
    BoneNameList list;
    list.Append("Arm");
    list.Append("Leg");
    list.Append("ARM");
    EXPECT_EQ(list.Find("arm"), 0);
    EXPECT_EQ(list.Find("LEG"), 1);
    EXPECT_EQ(list.Find("Le"), -1);
    EXPECT_EQ(list.Find(""), -1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace

}  // namespace skeleton
