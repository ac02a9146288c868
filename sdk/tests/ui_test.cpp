#include "hostsdk/ui.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {
enum : int {
    kList = 10,
    kSingle = 11,
    kSlider = 12,
    kEdit = 13,
    kCheck = 14,
    kApply = 15,
    kRadioA = 16,
    kRadioB = 17,
    kOff = 18,
    kSecret = 19,
    kNested = 20
};

const ControlTemplate kControls[] = {
    {kList, ControlKind::ListBox, "", 0, 0, 50, 50, kStyleMultiSelect},
    {kSingle, ControlKind::ListBox, "", 0, 0, 50, 50, 0},
    {kSlider, ControlKind::Slider, "", 0, 0, 50, 10, kStyleNoTicks},
    {kEdit, ControlKind::Edit, "", 0, 0, 50, 10, 0},
    {kCheck, ControlKind::AutoCheckBox, "Check", 0, 0, 50, 10, 0},
    {kApply, ControlKind::PushButton, "Apply", 0, 0, 50, 10, 0},
    {kRadioA, ControlKind::AutoRadioButton, "A", 0, 0, 50, 10, kStyleGroup},
    {kRadioB, ControlKind::AutoRadioButton, "B", 0, 0, 50, 10, 0},
    {kOff, ControlKind::PushButton, "Off", 0, 0, 50, 10, kStyleDisabled},
    {kSecret, ControlKind::PushButton, "Secret", 0, 0, 50, 10, kStyleHidden},
    {kNested, ControlKind::PushButton, "Nested", 0, 0, 50, 10, 0},
    {kIdOk, ControlKind::DefPushButton, "OK", 0, 0, 50, 14, 0},
    {kIdCancel, ControlKind::PushButton, "Cancel", 0, 0, 50, 14, 0},
};
const DialogTemplate kDialog{100,   "Test Dialog", "MS Sans Serif",     8, 200, 100,
                             false, kControls,     std::size(kControls)};
const DialogTemplate* const kDialogs[] = {&kDialog};
const ResourceTable kResources{kDialogs, 1, nullptr, 0};

// What the dialog procedure saw, and what it does on OK.
struct Log {
    std::vector<std::pair<int, unsigned>> commands;
    std::vector<int> scrolls;
    bool refuseOk = false;
    std::string title;  // set as the window's title at init when not empty
    intptr_t nestedResult = -2;
} g_log;

int g_module;  // its address is the module handle
ModuleHandle Module() {
    return &g_module;
}

intptr_t TestProc(WindowHandle dialog, unsigned message, WParam wp, LParam) {
    switch (message) {
        case kMsgInitDialog:
            for (const char* item : {"a", "b", "c"}) {
                ListBoxAddString(GetDlgItem(dialog, kList), item);
                ListBoxAddString(GetDlgItem(dialog, kSingle), item);
            }
            SliderSetRange(GetDlgItem(dialog, kSlider), 0, 300);
            if (!g_log.title.empty()) SetWindowText(dialog, g_log.title);
            return 1;
        case kMsgHScroll:
            g_log.scrolls.push_back(SliderGetPos(GetDlgItem(dialog, kSlider)));
            return 1;
        case kMsgCommand:
            g_log.commands.emplace_back(CommandId(wp), CommandCode(wp));
            if (CommandId(wp) == kIdOk && !g_log.refuseOk) EndDialog(dialog, 1);
            if (CommandId(wp) == kIdCancel) EndDialog(dialog, 0);
            if (CommandId(wp) == kNested)
                g_log.nestedResult = DialogBoxParam(Module(), 100, dialog, TestProc, 0);
            return 1;
    }
    return 0;
}

class UiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_log = Log{};
        ASSERT_TRUE(RegisterModuleResources(Module(), &kResources));
    }
    void TearDown() override {
        SetUiDriver(nullptr);
        UnregisterModuleResources(Module());
    }
    // Runs the dialog with a script; returns the dialog's result.
    intptr_t Run(const std::string& script) {
        ScriptedUiDriver driver(ParseUiActions(script));
        SetUiDriver(&driver);
        return DialogBoxParam(Module(), 100, nullptr, TestProc, 0);
    }
};

}  // namespace

TEST_F(UiTest, DefaultButtonClosesWhenActionsRunOut) {
    EXPECT_EQ(Run(""), 1);
    ASSERT_EQ(g_log.commands.size(), 1u);
    EXPECT_EQ(g_log.commands[0], std::make_pair(int{kIdOk}, kNotifyClicked));
}

TEST_F(UiTest, RefusedDefaultButtonEndsInCancel) {
    g_log.refuseOk = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(""), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "ui: \"Test Dialog\" did not close with its default button"),
              std::string::npos);

    // The report names the dialog by the title its window shows, not its template's.
    g_log.title = "Edit Rule";
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(""), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("ui: \"Edit Rule\" did not close"),
              std::string::npos);
}

TEST_F(UiTest, CancelActionClosesWithCancel) {
    EXPECT_EQ(Run("cancel; click 15"), 0);
}

TEST_F(UiTest, DisabledAndHiddenControlsIgnoreClicks) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run("click 18; click 19; click 99"), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("control 18 is disabled"), std::string::npos);
    EXPECT_NE(err.find("control 19 is hidden"), std::string::npos);
    EXPECT_NE(err.find("control 99 does not exist"), std::string::npos);
    ASSERT_EQ(g_log.commands.size(), 1u);  // only the OK press reached the dialog
}

TEST_F(UiTest, QuietActionsAreNotReported) {
    auto actions = ParseUiActions("click 18");
    actions[0].quiet = true;
    ScriptedUiDriver driver(actions);
    SetUiDriver(&driver);
    testing::internal::CaptureStderr();
    DialogBoxParam(Module(), 100, nullptr, TestProc, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(UiTest, ControlsKeepStateAndNotify) {
    // The state is read inside the dialog when the closing Cancel arrives.
    ScriptedUiDriver driver(ParseUiActions(
        "select 10 0,2; select 11 1; slider 12 500; set 13 hello world; check 14 1; check 14 1; "
        "click 16; click 17; cancel"));
    SetUiDriver(&driver);
    struct Capture {
        static intptr_t Proc(WindowHandle d, unsigned m, WParam wp, LParam lp) {
            if (m == kMsgCommand && CommandId(wp) == kIdCancel) {
                EXPECT_EQ(ListBoxGetSelItems(GetDlgItem(d, kList)), (std::vector<int>{0, 2}));
                EXPECT_EQ(ListBoxGetSelItems(GetDlgItem(d, kSingle)), (std::vector<int>{1}));
                EXPECT_EQ(SliderGetPos(GetDlgItem(d, kSlider)), 300);  // clamped to the range
                EXPECT_EQ(GetDlgItemText(d, kEdit), "hello world");
                EXPECT_TRUE(IsDlgButtonChecked(d, kCheck));  // checked once, the second was a no-op
                EXPECT_FALSE(IsDlgButtonChecked(d, kRadioA));
                EXPECT_TRUE(IsDlgButtonChecked(d, kRadioB));
            }
            return TestProc(d, m, wp, lp);
        }
    };
    EXPECT_EQ(DialogBoxParam(Module(), 100, nullptr, Capture::Proc, 0), 0);
    EXPECT_EQ(g_log.scrolls, std::vector<int>{300});
    // The edit field sent focus, update, change and focus-lost notifications.
    std::vector<unsigned> editCodes;
    int checkClicks = 0;
    for (auto [id, code] : g_log.commands) {
        if (id == kEdit) editCodes.push_back(code);
        if (id == kCheck) ++checkClicks;
    }
    EXPECT_EQ(editCodes, (std::vector<unsigned>{kNotifySetFocus, kNotifyUpdate, kNotifyChange,
                                                kNotifyKillFocus}));
    EXPECT_EQ(checkClicks, 1);
}

TEST_F(UiTest, SingleSelectListRefusesTwoItemsAndBadIndexes) {
    testing::internal::CaptureStderr();
    Run("select 11 0,1; select 10 7");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("takes one selection only"), std::string::npos);
    EXPECT_NE(err.find("has no item 7"), std::string::npos);
}

TEST_F(UiTest, NestedDialogTakesFollowingActions) {
    // The nested dialog opens on "click 20", takes "cancel"; the outer one then gets OK.
    EXPECT_EQ(Run("click 20; cancel"), 1);
    EXPECT_EQ(g_log.nestedResult, 0);
}

TEST_F(UiTest, MessageBoxesAreEchoedAndAnsweredOk) {
    ScriptedUiDriver driver;
    SetUiDriver(&driver);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "Can't find node \"x\"", "Course Export", kMbOk), kIdOk);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Course Export: Can't find node \"x\"\n");
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Course Export: Can't find node \"x\""});
}

TEST_F(UiTest, FolderAnswersGoToTheNextChooser) {
    ScriptedUiDriver driver(ParseUiActions("folder /tmp/out dir; cancel"));
    SetUiDriver(&driver);
    DialogBoxParam(Module(), 100, nullptr, TestProc, 0);
    std::string folder = "start";
    EXPECT_TRUE(ChooseFolder(nullptr, "Choose Output", folder));
    EXPECT_EQ(folder, "/tmp/out dir");
    EXPECT_FALSE(ChooseFolder(nullptr, "Choose Output", folder));
}

TEST_F(UiTest, ProgrammaticTextNotifiesOnlyOnChange) {
    WindowHandle page = CreateDialogParam(Module(), 100, nullptr, TestProc, 0);
    ASSERT_NE(page, nullptr);
    SetDlgItemText(page, kEdit, "12");
    SetDlgItemText(page, kEdit, "12");
    DestroyWindow(page);
    EXPECT_EQ(g_log.commands, (std::vector<std::pair<int, unsigned>>{{kEdit, kNotifyUpdate},
                                                                     {kEdit, kNotifyChange}}));
    EXPECT_EQ(GetDlgItem(page, kEdit), nullptr);  // a destroyed window's handle is dead
}

TEST_F(UiTest, MissingTemplateGivesMinusOne) {
    EXPECT_EQ(DialogBoxParam(Module(), 999, nullptr, TestProc, 0), -1);
    EXPECT_EQ(FindDialogTemplate(nullptr, 100), nullptr);
    EXPECT_FALSE(RegisterModuleResources(nullptr, &kResources));
}

TEST(UiActionParse, ReadsEveryVerb) {
    const auto a = ParseUiActions(
        "click 1043;set 1047 Bip01 *;check 1010 1; select 1042 0,2 ; select 1042; selectall 1042;"
        "slider 1000 -5;folder C:\\out;cancel;;");
    ASSERT_EQ(a.size(), 9u);
    EXPECT_EQ(a[0].kind, UiAction::Kind::Click);
    EXPECT_EQ(a[0].id, 1043);
    EXPECT_EQ(a[1].text, "Bip01 *");
    EXPECT_EQ(a[2].value, 1);
    EXPECT_EQ(a[3].items, (std::vector<int>{0, 2}));
    EXPECT_TRUE(a[4].items.empty());
    EXPECT_EQ(a[5].kind, UiAction::Kind::SelectAll);
    EXPECT_EQ(a[6].value, -5);
    EXPECT_EQ(a[7].text, "C:\\out");
    EXPECT_EQ(a[8].kind, UiAction::Kind::Cancel);
}

TEST(UiActionParse, SetKeepsEmptyText) {
    const auto a = ParseUiActions("set 1011 ;set 1011");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].text, "");
    EXPECT_EQ(a[1].text, "");
}

TEST(UiActionParse, RejectsBadActions) {
    for (const char* bad :
         {"push 1", "click", "click x", "check 1 2", "slider 5", "click 1 2", "select 3 1,x"})
        EXPECT_THROW(ParseUiActions(bad), std::invalid_argument) << bad;
}
