#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "frame/options_dialog.h"
#include "resources/quellstone_resources.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace hostfakes;
using namespace support::testing;

using namespace resources;

namespace {

class BoneOptionsDialog : public DialogTest {
  protected:
    BoneOptionsDialog() : DialogTest(QuellstoneResources()) {}

    DialogOutcome Run(CallbackUiDriver& driver, BoneDialogVariant variant = BoneDialogVariant::Bone,
                      const std::string& outputDirectory = {}) {
        ScopedUiDriver installed(&driver);
        return RunBoneOptionsDialog(LibrarySettings(), variant, outputDirectory);
    }
    DialogOutcome RunScript(const std::string& actions,
                            std::vector<std::string>* messages = nullptr) {
        ScriptedUiDriver driver = ScriptFromText(actions);
        ScopedUiDriver installed(&driver);
        const DialogOutcome outcome =
            RunBoneOptionsDialog(LibrarySettings(), BoneDialogVariant::Bone);
        if (messages) *messages = driver.Messages();
        return outcome;
    }
    static std::vector<std::string> ListItems(WindowHandle d) {
        std::vector<std::string> items;
        WindowHandle list = GetDlgItem(d, kIdcRuleList);
        for (int i = 0; i < ListBoxGetCount(list); ++i) items.push_back(ListBoxGetText(list, i));
        return items;
    }
};

TEST_F(BoneOptionsDialog, OpensWithTheSettingsAndTheWholeRange) {
    LibrarySettings().rules = {"+Bip*", "-*Nub"};
    LibrarySettings().ignoreHidden = 1;
    LibrarySettings().scaleFactor = 2.5f;
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        EXPECT_EQ(GetWindowText(d), "Bone Export Options");
        EXPECT_EQ(ListItems(d), (std::vector<std::string>{"+Bip*", "-*Nub"}));
        EXPECT_TRUE(IsDlgButtonChecked(d, kIdcIgnoreHidden));
        EXPECT_FALSE(IsDlgButtonChecked(d, kIdcRotate180));
        EXPECT_EQ(Text(d, kIdcScaleFactor), "2.5");
        EXPECT_EQ(SliderGetMin(GetDlgItem(d, kIdcEndSlider)), 0);
        EXPECT_EQ(SliderGetMax(GetDlgItem(d, kIdcEndSlider)), 300);
        EXPECT_EQ(SliderPos(d, kIdcStartSlider), 0);
        EXPECT_EQ(SliderPos(d, kIdcEndSlider), 300);
        EXPECT_EQ(Text(d, kIdcStartNumber), "0");
        EXPECT_EQ(Text(d, kIdcEndNumber), "300");
        EXPECT_EQ(Text(d, kIdcRangeSummary), "Export frames 0...300 (301 total frames)");
        EXPECT_TRUE(Enabled(d, kIdOk));
        // Nothing selected: only Add works.
        EXPECT_TRUE(Enabled(d, kIdcRuleAdd));
        for (int id : {kIdcRuleEdit, kIdcRuleRemove, kIdcRuleUp, kIdcRuleDown})
            EXPECT_FALSE(Enabled(d, id)) << id;
        // Bone variant: no texture export.
        EXPECT_FALSE(Enabled(d, kIdcExportTextures));
        EXPECT_FALSE(Enabled(d, kIdcOutputDirectory));
        EXPECT_EQ(Text(d, kIdcOutputDirectory), "");
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    EXPECT_EQ(driver.DialogsRun(), 1);
}

TEST_F(BoneOptionsDialog, RangeTextsFollowTheSliders) {
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        ASSERT_TRUE(ui_actions::Slide(d, kIdcStartSlider, 20));
        ASSERT_TRUE(ui_actions::Slide(d, kIdcEndSlider, 20));
        EXPECT_EQ(Text(d, kIdcStartNumber), "20");
        EXPECT_EQ(Text(d, kIdcRangeSummary), "Export only frame 20");
        ASSERT_TRUE(ui_actions::Slide(d, kIdcEndSlider, 19));
        EXPECT_EQ(Text(d, kIdcEndNumber), "19");
        EXPECT_EQ(Text(d, kIdcRangeSummary), "The animation range is not valid.");
        EXPECT_FALSE(Enabled(d, kIdOk));
        ASSERT_TRUE(ui_actions::Slide(d, kIdcEndSlider, 25));
        EXPECT_EQ(Text(d, kIdcRangeSummary), "Export frames 20...25 (6 total frames)");
        EXPECT_TRUE(Enabled(d, kIdOk));
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    EXPECT_EQ(LibrarySettings().rangeStart, 20 * kTicks);
    EXPECT_EQ(LibrarySettings().rangeEnd, 25 * kTicks);
}

TEST_F(BoneOptionsDialog, FrameButtons) {
    host_.time = 5 * kTicks + kTicks / 2;  // between frames 5 and 6
    host_.animRange = {10 * kTicks, 300 * kTicks};
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        ASSERT_TRUE(ui_actions::Click(d, kIdcFirstFrame));
        EXPECT_EQ(Text(d, kIdcRangeSummary), "Export only frame 10");
        ASSERT_TRUE(ui_actions::Click(d, kIdcAllFrames));
        EXPECT_EQ(Text(d, kIdcRangeSummary), "Export frames 10...300 (291 total frames)");
        host_.animRange = {0, 300 * kTicks};
        ASSERT_TRUE(ui_actions::Click(d, kIdcCurrentFrame));
        EXPECT_EQ(SliderPos(d, kIdcStartSlider), 5);
        EXPECT_EQ(SliderPos(d, kIdcEndSlider), 5);
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    // The range starts and ends exactly on the frame, not at the time between frames.
    EXPECT_EQ(LibrarySettings().rangeStart, 5 * kTicks);
    EXPECT_EQ(LibrarySettings().rangeEnd, 5 * kTicks);
}

TEST_F(BoneOptionsDialog, RuleButtonsFollowTheSelection) {
    LibrarySettings().rules = {"+a", "+b", "+c"};
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        auto enabled = [&] {
            return std::vector<bool>{Enabled(d, kIdcRuleEdit), Enabled(d, kIdcRuleRemove),
                                     Enabled(d, kIdcRuleUp), Enabled(d, kIdcRuleDown)};
        };
        ASSERT_TRUE(ui_actions::Select(d, kIdcRuleList, {0}));
        EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, true}));
        ASSERT_TRUE(ui_actions::Select(d, kIdcRuleList, {1}));
        EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true}));
        ASSERT_TRUE(ui_actions::Select(d, kIdcRuleList, {2}));
        EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, false}));
        ASSERT_TRUE(ui_actions::Select(d, kIdcRuleList, {0, 2}));
        EXPECT_EQ(enabled(), (std::vector<bool>{false, true, false, false}));
        ASSERT_TRUE(ui_actions::Click(d, kIdcRuleRemove));
        EXPECT_EQ(ListItems(d), std::vector<std::string>{"+b"});
        EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false, false}));
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    EXPECT_EQ(LibrarySettings().rules, std::vector<std::string>{"+b"});
}

TEST_F(BoneOptionsDialog, UpAndDownMoveTheRuleAndKeepItSelected) {
    LibrarySettings().rules = {"+a", "+b", "+c"};
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        ASSERT_TRUE(ui_actions::Select(d, kIdcRuleList, {2}));
        ASSERT_TRUE(ui_actions::Click(d, kIdcRuleUp));
        EXPECT_EQ(ListItems(d), (std::vector<std::string>{"+a", "+c", "+b"}));
        EXPECT_EQ(ListBoxGetSelItems(GetDlgItem(d, kIdcRuleList)), std::vector<int>{1});
        ASSERT_TRUE(ui_actions::Click(d, kIdcRuleUp));
        EXPECT_FALSE(Enabled(d, kIdcRuleUp));
        EXPECT_FALSE(ui_actions::Click(d, kIdcRuleUp));  // disabled at the top
        ASSERT_TRUE(ui_actions::Click(d, kIdcRuleDown));
        EXPECT_EQ(ListItems(d), (std::vector<std::string>{"+a", "+c", "+b"}));
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    EXPECT_EQ(LibrarySettings().rules, (std::vector<std::string>{"+a", "+c", "+b"}));
}

TEST_F(BoneOptionsDialog, AddAndEditGoThroughTheRuleEditor) {
    LibrarySettings().rules = {"+a", "+b"};
    std::vector<std::string> messages;
    ASSERT_EQ(RunScript("select 1042 0; click 1043; set 1047 *End; click 1017; click 1;"
                        "select 1042 0; click 1049; set 1047 Bip*; click 1",
                        &messages),
              DialogOutcome::Confirmed);
    EXPECT_EQ(LibrarySettings().rules, (std::vector<std::string>{"+Bip*", "+b", "-*End"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(BoneOptionsDialog, AddedRuleBecomesTheOnlySelection) {
    LibrarySettings().rules = {"+a", "+b"};
    CallbackUiDriver driver;
    driver
        .Then([&](WindowHandle d) {
            ASSERT_TRUE(ui_actions::Select(d, kIdcRuleList, {0, 1}));
            ASSERT_TRUE(ui_actions::Click(d, kIdcRuleAdd));
            EXPECT_EQ(ListItems(d), (std::vector<std::string>{"+a", "+b", "-x"}));
            EXPECT_EQ(ListBoxGetSelItems(GetDlgItem(d, kIdcRuleList)), std::vector<int>{2});
            EXPECT_TRUE(Enabled(d, kIdcRuleEdit));
            ASSERT_TRUE(ui_actions::Click(d, kIdcRuleEdit));
            EXPECT_EQ(ListItems(d), (std::vector<std::string>{"+a", "+b", "-x"}));  // cancelled
        })
        .Then([&](WindowHandle editor) {
            EXPECT_EQ(GetWindowText(editor), "Add Rule");
            ASSERT_TRUE(ui_actions::SetText(editor, kIdcWildcard, "x"));
            ASSERT_TRUE(ui_actions::Check(editor, kIdcExclude, true));
        })
        .Then([&](WindowHandle editor) {
            EXPECT_EQ(GetWindowText(editor), "Edit Rule");
            EXPECT_EQ(Text(editor, kIdcWildcard), "x");
            EXPECT_TRUE(IsDlgButtonChecked(editor, kIdcExclude));
            ASSERT_TRUE(ui_actions::SetText(editor, kIdcWildcard, "changed"));
            ui_actions::Cancel(editor);
        });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    EXPECT_EQ(LibrarySettings().rules, (std::vector<std::string>{"+a", "+b", "-x"}));
}

TEST_F(BoneOptionsDialog, ScaleFactorIsCheckedBeforeTheRangeAndNothingIsCopiedEarly) {
    LibrarySettings().rules = {"+a"};
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        ASSERT_TRUE(ui_actions::Click(d, kIdcRotate180));
        ASSERT_TRUE(ui_actions::Slide(d, kIdcStartSlider, 50));
        ASSERT_TRUE(ui_actions::Slide(d, kIdcEndSlider, 10));
        ASSERT_TRUE(ui_actions::SetText(d, kIdcScaleFactor, "abc"));
        // OK is disabled while the range is invalid; send the command as a keyboard would.
        SendDialogMessage(d, kMsgCommand, MakeCommandParam(kIdOk, kNotifyClicked), 0);
        ASSERT_TRUE(IsDialogOpen(d));
        ASSERT_TRUE(ui_actions::SetText(d, kIdcScaleFactor, "0.0009"));
        SendDialogMessage(d, kMsgCommand, MakeCommandParam(kIdOk, kNotifyClicked), 0);
        ASSERT_TRUE(ui_actions::SetText(d, kIdcScaleFactor, "1000000"));
        SendDialogMessage(d, kMsgCommand, MakeCommandParam(kIdOk, kNotifyClicked), 0);
        ASSERT_TRUE(ui_actions::SetText(d, kIdcScaleFactor, "999999"));
        SendDialogMessage(d, kMsgCommand, MakeCommandParam(kIdOk, kNotifyClicked), 0);
        ASSERT_TRUE(IsDialogOpen(d));
        EXPECT_EQ(LibrarySettings().rotate180, 0);
        ASSERT_TRUE(ui_actions::Slide(d, kIdcEndSlider, 60));
        ASSERT_TRUE(ui_actions::SetText(d, kIdcScaleFactor, " 0.001 "));
        ASSERT_TRUE(ui_actions::PressDefault(d));
        EXPECT_FALSE(IsDialogOpen(d));
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    EXPECT_EQ(driver.Messages(),
              (std::vector<std::string>{
                  "Bone Export Options: The scale factor must be a number, for example 1 or 2.5.",
                  "Bone Export Options: The scale factor must be from 0.001 to 999999.",
                  "Bone Export Options: The scale factor must be from 0.001 to 999999.",
                  "Bone Export Options: Animation range is invalid.  End frame cannot be before "
                  "start frame."}));
    EXPECT_EQ(LibrarySettings().rotate180, 1);
    EXPECT_FLOAT_EQ(LibrarySettings().scaleFactor, 0.001f);
    EXPECT_EQ(LibrarySettings().rangeStart, 50 * kTicks);
}

TEST_F(BoneOptionsDialog, CancelDiscardsEveryChange) {
    LibrarySettings().rules = {"+a"};
    ASSERT_EQ(RunScript("click 1043; set 1047 b; click 1; check 1010 1; set 1011 4; slider 1000 7;"
                        "cancel"),
              DialogOutcome::Cancelled);
    EXPECT_EQ(LibrarySettings().rules, std::vector<std::string>{"+a"});
    EXPECT_EQ(LibrarySettings().ignoreHidden, 0);
    EXPECT_EQ(LibrarySettings().scaleFactor, 1.0f);
    EXPECT_EQ(LibrarySettings().rangeStart, 0);
}

TEST_F(BoneOptionsDialog, BoneVariantLeavesTextureExportAlone) {
    LibrarySettings().exportTextures = 1;
    ASSERT_EQ(RunScript("check 1014 0"), DialogOutcome::Confirmed);  // refused: disabled
    EXPECT_EQ(LibrarySettings().exportTextures, 1);
}

TEST_F(BoneOptionsDialog, PoseVariantFixesTheRangeAndShowsTheOutputDirectory) {
    LibrarySettings().rangeStart = LibrarySettings().rangeEnd = 12 * kTicks;
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        for (int id : {kIdcStartSlider, kIdcStartNumber, kIdcEndSlider, kIdcEndNumber,
                       kIdcRangeSummary, kIdcFirstFrame, kIdcCurrentFrame, kIdcAllFrames})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_EQ(Text(d, kIdcRangeSummary), "Export only frame 12");
        EXPECT_EQ(Text(d, kIdcOutputDirectory), "Output directory: C:\\out\\");
        EXPECT_TRUE(Enabled(d, kIdcExportTextures));
        EXPECT_FALSE(Enabled(d, kIdcOutputDirectory));
        ASSERT_TRUE(ui_actions::Click(d, kIdcExportTextures));
        EXPECT_TRUE(Enabled(d, kIdcOutputDirectory));
        ASSERT_TRUE(ui_actions::Click(d, kIdcExportTextures));
        EXPECT_FALSE(Enabled(d, kIdcOutputDirectory));
        ASSERT_TRUE(ui_actions::Click(d, kIdcExportTextures));
    });
    EXPECT_EQ(Run(driver, BoneDialogVariant::Pose, "C:\\out\\"), DialogOutcome::Confirmed);
    EXPECT_EQ(LibrarySettings().exportTextures, 1);
    EXPECT_EQ(LibrarySettings().rangeStart, 12 * kTicks);
    EXPECT_EQ(LibrarySettings().rangeEnd, 12 * kTicks);
}

TEST_F(BoneOptionsDialog, MissingTemplateIsReportedAsUnavailable) {
    SetLibraryModule(nullptr);
    CallbackUiDriver driver;
    EXPECT_EQ(Run(driver), DialogOutcome::Unavailable);
    EXPECT_EQ(driver.DialogsRun(), 0);
}

}  // namespace

}  // namespace frame
