#include "plughost/ui_options.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace plughost;
using Kind = UiAction::Kind;

namespace {

// The actions written back in the --ui language, quiet ones marked with '~'.
std::string Text(const std::vector<UiAction>& actions) {
    std::string s;
    for (const auto& a : actions) {
        if (!s.empty()) s += "; ";
        if (a.quiet) s += "~";
        switch (a.kind) {
            case Kind::Click:
                s += "click " + std::to_string(a.id);
                break;
            case Kind::Set:
                s += "set " + std::to_string(a.id) + " " + a.text;
                break;
            case Kind::Check:
                s += "check " + std::to_string(a.id) + " " + std::to_string(a.value);
                break;
            case Kind::SelectAll:
                s += "selectall " + std::to_string(a.id);
                break;
            case Kind::Slider:
                s += "slider " + std::to_string(a.id) + " " + std::to_string(a.value);
                break;
            default:
                s += "?";
                break;
        }
    }
    return s;
}

}  // namespace

TEST(ConvenienceOptions, RulesReplaceTheListThroughTheRuleEditor) {
    ConvenienceOptions o;
    o.rules = "+A*,-*B";
    EXPECT_EQ(Text(ExpandConvenienceOptions(o)),
              "~selectall 1042; ~click 1044; "
              "click 1043; set 1047 A*; click 1016; click 1; "
              "click 1043; set 1047 *B; click 1017; click 1");
}

TEST(ConvenienceOptions, RuleEdgeCases) {
    ConvenienceOptions o;
    // An empty list only clears; a sign alone leaves the field untouched so OK stays enabled;
    // no sign includes; blanks after a comma are dropped, empty items skipped.
    o.rules = "";
    EXPECT_EQ(Text(ExpandConvenienceOptions(o)), "~selectall 1042; ~click 1044");
    o.rules = "+,Arm*, -x y,,";
    EXPECT_EQ(Text(ExpandConvenienceOptions(o)),
              "~selectall 1042; ~click 1044; click 1043; click 1016; click 1; "
              "click 1043; set 1047 Arm*; click 1016; click 1; "
              "click 1043; set 1047 x y; click 1017; click 1");
}

TEST(ConvenienceOptions, EachOptionAndTheirOrder) {
    ConvenienceOptions o;
    o.frames = std::pair{3, 12};
    o.node = "Track01";
    o.textures = 1;
    o.rotate180 = 0;
    o.scale = "2.5";
    o.ignoreHidden = 1;
    EXPECT_EQ(Text(ExpandConvenienceOptions(o)),
              "check 1010 1; set 1011 2.5; check 1013 0; check 1014 1; set 1017 Track01; "
              "slider 1000 3; slider 1002 12");
    EXPECT_TRUE(ExpandConvenienceOptions(ConvenienceOptions{}).empty());
}

TEST(ConvenienceOptions, ComeBeforeTheScriptsOwnActions) {
    ConvenienceOptions o;
    o.scale = "12";
    const auto actions = BuildUiActions(o, "click 1007; cancel");
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[0].kind, Kind::Set);
    EXPECT_EQ(actions[1].kind, Kind::Click);
    EXPECT_EQ(actions[1].id, 1007);
    EXPECT_EQ(actions[2].kind, Kind::Cancel);
    EXPECT_THROW(BuildUiActions(o, "press 3"), std::invalid_argument);
}

TEST(ConvenienceOptions, FramePairs) {
    int a = 0, b = 0;
    EXPECT_TRUE(ParseIntPair("-2:30", a, b));
    EXPECT_EQ(a, -2);
    EXPECT_EQ(b, 30);
    EXPECT_FALSE(ParseIntPair("2", a, b));
    EXPECT_FALSE(ParseIntPair("2:x", a, b));
    EXPECT_FALSE(ParseIntPair("1.5:3", a, b));
    EXPECT_FALSE(ParseIntPair("1:99999999999", a, b));
    double x = 0, y = 0;
    EXPECT_TRUE(ParseNumberPair("0.5:10", x, y));
    EXPECT_DOUBLE_EQ(x, 0.5);
    EXPECT_FALSE(ParseNumberPair(":10", x, y));
    EXPECT_FALSE(ParseNumberPair("nan:10", x, y));
}
