#include "frame/rule_editor.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "resources/quellstone_resources.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace hostfakes;
using namespace support::testing;

using namespace resources;

namespace {

class RuleEditor : public DialogTest {
  protected:
    RuleEditor() : DialogTest(QuellstoneResources()) {}

    bool Edit(std::string& rule, CallbackUiDriver& driver) {
        ScopedUiDriver installed(&driver);
        return RunRuleEditor(rule, "Edit Rule", nullptr);
    }
};

TEST_F(RuleEditor, SplitsTheIncomingRule) {
    struct Case {
        std::string rule;
        bool exclude;
        std::string wildcard;
    };
    for (const Case& c : {Case{"-Foo*", true, "Foo*"}, Case{"+Bar", false, "Bar"},
                          Case{"xBaz", false, "Baz"}, Case{"", false, ""}, Case{"-", true, ""}}) {
        CallbackUiDriver driver;
        driver.Then([&](WindowHandle d) {
            EXPECT_EQ(GetWindowText(d), "Edit Rule");
            EXPECT_EQ(IsDlgButtonChecked(d, kIdcExclude), c.exclude) << c.rule;
            EXPECT_EQ(IsDlgButtonChecked(d, kIdcInclude), !c.exclude) << c.rule;
            EXPECT_EQ(Text(d, kIdcWildcard), c.wildcard) << c.rule;
            EXPECT_TRUE(Enabled(d, kIdOk)) << c.rule;  // even for an empty wildcard
            ui_actions::Cancel(d);
        });
        std::string rule = c.rule;
        EXPECT_FALSE(Edit(rule, driver));
        EXPECT_EQ(rule, c.rule);
    }
}

TEST_F(RuleEditor, OkOnAnUntouchedEmptyFieldGivesTheSignAlone) {
    CallbackUiDriver driver;
    std::string rule;
    EXPECT_TRUE(Edit(rule, driver));
    EXPECT_EQ(rule, "+");
}

TEST_F(RuleEditor, OkNeedsTextOnceTheFieldWasEdited) {
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        ASSERT_TRUE(ui_actions::SetText(d, kIdcWildcard, ""));
        EXPECT_FALSE(Enabled(d, kIdOk));
        EXPECT_FALSE(ui_actions::PressDefault(d));
        ASSERT_TRUE(ui_actions::SetText(d, kIdcWildcard, "Bip01*"));
        EXPECT_TRUE(Enabled(d, kIdOk));
        ASSERT_TRUE(ui_actions::Check(d, kIdcExclude, true));
        EXPECT_FALSE(IsDlgButtonChecked(d, kIdcInclude));
    });
    std::string rule = "+old";
    EXPECT_TRUE(Edit(rule, driver));
    EXPECT_EQ(rule, "-Bip01*");
}

TEST_F(RuleEditor, RefusesAWildcardTheSettingsFileCannotHold) {
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        ASSERT_TRUE(ui_actions::SetText(d, kIdcWildcard, std::string(99, 'a')));
        ASSERT_TRUE(ui_actions::PressDefault(d));
        EXPECT_TRUE(IsDialogOpen(d));
        ASSERT_TRUE(ui_actions::SetText(d, kIdcWildcard, std::string(98, 'a')));
    });
    std::string rule;
    EXPECT_TRUE(Edit(rule, driver));
    EXPECT_EQ(rule, "+" + std::string(98, 'a'));
    EXPECT_EQ(
        driver.Messages(),
        std::vector<std::string>{"Edit Rule: The wildcard is too long: at most 98 characters."});

    // A line break would split the rule over two lines of the settings file.
    for (const char* broken : {"Bip\n01", "Bip\r"}) {
        CallbackUiDriver again;
        again.Then([&](WindowHandle d) {
            ASSERT_TRUE(ui_actions::SetText(d, kIdcWildcard, broken));
            ASSERT_TRUE(ui_actions::PressDefault(d));
            EXPECT_TRUE(IsDialogOpen(d));
            ui_actions::Cancel(d);
        });
        std::string kept = "+old";
        EXPECT_FALSE(Edit(kept, again));
        EXPECT_EQ(kept, "+old");
        EXPECT_EQ(again.Messages(),
                  std::vector<std::string>{"Edit Rule: The wildcard cannot hold a line break."});
    }
}

}  // namespace

}  // namespace frame
