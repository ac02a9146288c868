// The windowed driver in this process, under the test's own X server: layout from dialog units,
// each control kind, the notifications a dialog procedure hears, keyboard conventions, message
// boxes, the progress window and the utility window's side panel.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Slider.H>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog_view.h"
#include "fonts_and_display.h"
#include "gui_robot.h"
#include "hostsdk/ui.h"
#include "progress_window.h"
#include "resources/quellstone_resources.h"
#include "resources/resource_ids.h"
#include "utility_window.h"
#include "windowed_driver.h"
#include "xvfb_server.h"

namespace plughost {
namespace {

using testing::ClickWidget;
using testing::PressKey;
using testing::TypeText;

::testing::Environment* const xvfb =
    ::testing::AddGlobalTestEnvironment(new testing::XvfbEnvironment);

// A dialog with every kind of control the templates use.
constexpr int kDlgKinds = 900, kDlgPage = 901;
constexpr int kAutoCheck = 10, kManualCheck = 11, kRadioA1 = 20, kRadioA2 = 21, kRadioB1 = 22,
              kRadioB2 = 23, kEdit = 30, kOtherEdit = 31, kList = 40, kSlider = 50, kPush = 60,
              kDisabled = 61, kHidden = 62, kMessage = 63, kStatic = 70;
const ControlTemplate kKindControls[] = {
    {kNoId, ControlKind::GroupBox, "Group", 5, 5, 200, 150, 0},
    {kStatic, ControlKind::Static, "Label", 10, 16, 60, 8, 0},
    {kAutoCheck, ControlKind::AutoCheckBox, "Auto", 10, 28, 60, 10, 0},
    {kManualCheck, ControlKind::CheckBox, "Manual", 80, 28, 60, 10, 0},
    {kRadioA1, ControlKind::AutoRadioButton, "A1", 10, 42, 40, 10, kStyleGroup},
    {kRadioA2, ControlKind::AutoRadioButton, "A2", 55, 42, 40, 10, 0},
    {kRadioB1, ControlKind::AutoRadioButton, "B1", 100, 42, 40, 10, kStyleGroup},
    {kRadioB2, ControlKind::AutoRadioButton, "B2", 145, 42, 40, 10, 0},
    {kEdit, ControlKind::Edit, "", 10, 56, 60, 14, kStyleBorder | kStyleHScroll},
    {kOtherEdit, ControlKind::Edit, "", 80, 56, 60, 14, kStyleBorder},
    {kList, ControlKind::ListBox, "", 10, 74, 100, 40, kStyleMultiSelect | kStyleVScroll},
    {kSlider, ControlKind::Slider, "", 10, 118, 100, 15, kStyleNoTicks},
    {kPush, ControlKind::PushButton, "Push", 120, 74, 50, 14, 0},
    {kDisabled, ControlKind::PushButton, "Off", 120, 92, 50, 14, kStyleDisabled},
    {kHidden, ControlKind::AutoCheckBox, "Hidden", 120, 110, 50, 10, kStyleHidden},
    {kMessage, ControlKind::PushButton, "Message", 120, 136, 50, 14, 0},
    {kIdOk, ControlKind::DefPushButton, "OK", 100, 160, 50, 14, 0},
    {kIdCancel, ControlKind::PushButton, "Cancel", 155, 160, 50, 14, 0},
};
const DialogTemplate kKindsTemplate = {
    kDlgKinds, "Kinds",       "MS Sans Serif",
    8,         210,           180,
    false,     kKindControls, sizeof(kKindControls) / sizeof(kKindControls[0])};
const ControlTemplate kPageControls[] = {
    {kEdit, ControlKind::Edit, "", 4, 4, 60, 12, 0},
    {kPush, ControlKind::PushButton, "Copy", 4, 20, 60, 12, 0},
};
const DialogTemplate kPageTemplate = {kDlgPage, "Page", "MS Sans Serif", 8, 100,
                                      40,       true,   kPageControls,   2};

const DialogTemplate* const kDialogs[] = {&kKindsTemplate, &kPageTemplate,
                                          &resources::BoneOptionsTemplate()};
const BitmapResource* const kBitmaps[] = {&resources::LogoBitmap()};
const ResourceTable kResources = {kDialogs, 3, kBitmaps, 1};
int moduleTag;
ModuleHandle const kModule = &moduleTag;

// What the procedure heard, one entry per message: "cmd ID CODE", "scroll ID POS", "close".
std::vector<std::string> heard;

std::string Hex(unsigned code) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", code);
    return text;
}

intptr_t RecordingProc(WindowHandle dialog, unsigned message, WParam wp, LParam lp) {
    switch (message) {
        case kMsgInitDialog:
            for (const char* item : {"one", "two", "three"})
                ListBoxAddString(GetDlgItem(dialog, kList), item);
            SliderSetRange(GetDlgItem(dialog, kSlider), 0, 10);
            return 1;
        case kMsgClose:
            heard.push_back("close");
            EndDialog(dialog, 0);
            return 1;
        case kMsgHScroll:
            heard.push_back("scroll " +
                            std::to_string(GetDlgCtrlID(reinterpret_cast<WindowHandle>(lp))) + " " +
                            std::to_string(SliderGetPos(reinterpret_cast<WindowHandle>(lp))));
            return 1;
        case kMsgCommand:
            break;
        default:
            return 0;
    }
    const int id = CommandId(wp);
    const unsigned code = CommandCode(wp);
    // Changes are heard through the "about to change" code; the plain change repeats it.
    if (code != kNotifyChange) heard.push_back("cmd " + std::to_string(id) + " " + Hex(code));
    if (code != kNotifyClicked) return 1;
    if (id == kIdOk) EndDialog(dialog, 1);
    if (id == kIdCancel) EndDialog(dialog, 2);
    // The manual check box and the push button change other controls, as procedures do.
    if (id == kManualCheck) CheckDlgButton(dialog, kManualCheck, !IsDlgButtonChecked(dialog, id));
    if (id == kPush) {
        EnableWindow(GetDlgItem(dialog, kDisabled), true);
        SetDlgItemText(dialog, kOtherEdit, GetDlgItemText(dialog, kEdit));
        ShowWindow(GetDlgItem(dialog, kHidden), true);
    }
    if (id == kMessage) MessageBox(dialog, "Something to say", "Caption", kMbOk);
    return 1;
}

class WindowedDriver : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(gui::OpenDisplay(error)) << error;
        RegisterModuleResources(kModule, &kResources);
    }
    void SetUp() override {
        previous_ = SetUiDriver(&driver_);
        heard.clear();
    }
    void TearDown() override { SetUiDriver(previous_); }

    // Runs a dialog; `act` works its window once it is on screen (and every nested window:
    // message boxes come with a null dialog).
    intptr_t Run(int templateId, std::function<void(Fl_Window&, WindowHandle)> act) {
        driver_.onShown = std::move(act);
        return DialogBoxParam(kModule, templateId, nullptr, &RecordingProc, 0);
    }

    gui::WindowedUiDriver driver_;
    UiDriver* previous_ = nullptr;
};

// The widget showing a control of an open dialog.
Fl_Widget* Widget(WindowHandle dialog, int id) {
    gui::DialogView* view = gui::DialogView::Find(dialog);
    return view ? view->WidgetOf(id) : nullptr;
}

void Click(Fl_Window& window, WindowHandle dialog, int id) {
    Fl_Widget* widget = Widget(dialog, id);
    ASSERT_NE(widget, nullptr) << "no widget for control " << id;
    ClickWidget(window, widget);
}

const ControlTemplate& ControlOf(const DialogTemplate& t, int id) {
    for (std::size_t i = 0; i < t.controlCount; ++i)
        if (t.controls[i].id == id) return t.controls[i];
    throw std::invalid_argument("no control " + std::to_string(id));
}

TEST_F(WindowedDriver, ControlsSitWhereTheTemplatesDialogUnitsPutThem) {
    const DialogTemplate& t = resources::BoneOptionsTemplate();
    const DialogBaseUnits base = gui::MeasureBaseUnits(PointsToPixels(t.pointSize));
    ASSERT_GT(base.x, 0);
    ASSERT_GT(base.y, base.x);
    bool checked = false;
    Run(t.id, [&](Fl_Window& window, WindowHandle dialog) {
        const PixelRect size = DialogUnitsToPixels(0, 0, t.width, t.height, base);
        EXPECT_EQ(window.w(), size.w);
        EXPECT_EQ(window.h(), size.h);
        for (int id : {kIdOk, kIdCancel, resources::kIdcRuleList, resources::kIdcEndSlider,
                       resources::kIdcScaleFactor, resources::kIdcRuleAdd}) {
            const ControlTemplate& c = ControlOf(t, id);
            const PixelRect expected = DialogUnitsToPixels(c.x, c.y, c.w, c.h, base);
            const Fl_Widget* w = Widget(dialog, id);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ((PixelRect{w->x(), w->y(), w->w(), w->h()}), expected) << "control " << id;
        }
        // The picture shows bitmap 104 at its own size where the template puts it.
        const ControlTemplate* picture = nullptr;
        for (std::size_t i = 0; i < t.controlCount; ++i)
            if (t.controls[i].kind == ControlKind::Picture) picture = &t.controls[i];
        ASSERT_NE(picture, nullptr);
        const PixelRect at = DialogUnitsToPixels(picture->x, picture->y, 0, 0, base);
        const Fl_Widget* shown = nullptr;
        for (int i = 0; i < window.children(); ++i)
            if (window.child(i)->image()) shown = window.child(i);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->x(), at.x);
        EXPECT_EQ(shown->y(), at.y);
        EXPECT_EQ(shown->image()->w(), resources::LogoBitmap().width);
        EXPECT_EQ(shown->image()->h(), resources::LogoBitmap().height);
        checked = true;
        PressKey(window, FL_Escape);
    });
    EXPECT_TRUE(checked);
}

TEST_F(WindowedDriver, ClicksOnButtonsAndBoxesReachTheProcedureAndTheRecords) {
    const intptr_t result = Run(kDlgKinds, [](Fl_Window& window, WindowHandle dialog) {
        Click(window, dialog, kAutoCheck);
        EXPECT_TRUE(IsDlgButtonChecked(dialog, kAutoCheck));
        EXPECT_EQ(static_cast<Fl_Button*>(Widget(dialog, kAutoCheck))->value(), 1);
        Click(window, dialog, kManualCheck);
        EXPECT_TRUE(IsDlgButtonChecked(dialog, kManualCheck));
        // Radio buttons clear only their own group.
        Click(window, dialog, kRadioA1);
        Click(window, dialog, kRadioB2);
        Click(window, dialog, kRadioA2);
        EXPECT_FALSE(IsDlgButtonChecked(dialog, kRadioA1));
        EXPECT_TRUE(IsDlgButtonChecked(dialog, kRadioA2));
        EXPECT_TRUE(IsDlgButtonChecked(dialog, kRadioB2));
        EXPECT_EQ(static_cast<Fl_Button*>(Widget(dialog, kRadioA1))->value(), 0);
        EXPECT_EQ(static_cast<Fl_Button*>(Widget(dialog, kRadioB2))->value(), 1);
        Click(window, dialog, kIdOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(heard, (std::vector<std::string>{"cmd 10 0", "cmd 11 0", "cmd 20 0", "cmd 23 0",
                                               "cmd 21 0", "cmd 1 0"}));
}

TEST_F(WindowedDriver, TypingSendsFocusAndChangeNotificationsAsTheScriptedDriverDoes) {
    // The scripted driver's "set" is focus gained, text about to change, focus lost.
    ScriptedUiDriver scripted(ParseUiActions("set 30 ab"));
    SetUiDriver(&scripted);
    DialogBoxParam(kModule, kDlgKinds, nullptr, &RecordingProc, 0);
    const std::vector<std::string> scriptedHeard = heard;
    SetUiDriver(&driver_);
    heard.clear();

    Run(kDlgKinds, [](Fl_Window& window, WindowHandle dialog) {
        Click(window, dialog, kEdit);
        TypeText(window, "ab");
        EXPECT_EQ(GetDlgItemText(dialog, kEdit), "ab");
        Click(window, dialog, kOtherEdit);  // the focus leaves the first field
        PressKey(window, FL_Enter);
    });
    // Typing sends one change per keystroke; the first and last notifications are the same.
    ASSERT_EQ(scriptedHeard.size(), 4u);  // focus, change, focus lost, OK
    EXPECT_EQ(scriptedHeard[0], "cmd 30 100");
    EXPECT_EQ(scriptedHeard[1], "cmd 30 400");
    EXPECT_EQ(scriptedHeard[2], "cmd 30 200");
    EXPECT_EQ(heard, (std::vector<std::string>{"cmd 30 100", "cmd 30 400", "cmd 30 400",
                                               "cmd 30 200", "cmd 31 100", "cmd 1 0"}));
}

TEST_F(WindowedDriver, ListSelectionsAndSliderMovesAreNotified) {
    Run(kDlgKinds, [](Fl_Window& window, WindowHandle dialog) {
        auto* list = static_cast<Fl_Browser*>(Widget(dialog, kList));
        // Items shown are the record's items, and a selection made there shows in the record.
        ASSERT_EQ(list->size(), 3);
        EXPECT_STREQ(list->text(2), "two");
        list->select(1, 1);
        list->select(3, 1);
        list->do_callback();
        EXPECT_EQ(ListBoxGetSelItems(GetDlgItem(dialog, kList)), (std::vector<int>{0, 2}));
        // The selection set by the procedure shows in the widget.
        ListBoxSetSel(GetDlgItem(dialog, kList), false, 0);
        gui::DialogView::RefreshAll();
        EXPECT_EQ(list->selected(1), 0);
        EXPECT_EQ(list->selected(3), 1);

        auto* slider = static_cast<Fl_Slider*>(Widget(dialog, kSlider));
        EXPECT_EQ(slider->maximum(), 10);
        ClickWidget(window, slider);  // gives it the focus, moving the thumb to the middle
        const int middle = SliderGetPos(GetDlgItem(dialog, kSlider));
        PressKey(window, FL_Right);
        EXPECT_EQ(SliderGetPos(GetDlgItem(dialog, kSlider)), middle + 1);
        PressKey(window, FL_Escape);
    });
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard[0], "cmd 40 1");
    EXPECT_EQ(heard[heard.size() - 2].substr(0, 10), "scroll 50 ");
}

TEST_F(WindowedDriver, DisabledAndHiddenControlsLookAndActSo) {
    Run(kDlgKinds, [](Fl_Window& window, WindowHandle dialog) {
        Fl_Widget* off = Widget(dialog, kDisabled);
        Fl_Widget* hidden = Widget(dialog, kHidden);
        EXPECT_FALSE(off->active());
        EXPECT_FALSE(hidden->visible());
        ClickWidget(window, off);
        EXPECT_TRUE(heard.empty());
        // The procedure enables and shows them; the widgets follow at once.
        Click(window, dialog, kEdit);
        TypeText(window, "x");
        Click(window, dialog, kPush);
        EXPECT_TRUE(off->active());
        EXPECT_TRUE(hidden->visible());
        EXPECT_STREQ(static_cast<Fl_Input*>(Widget(dialog, kOtherEdit))->value(), "x");
        heard.clear();
        ClickWidget(window, off);
        EXPECT_EQ(heard, (std::vector<std::string>{"cmd 61 0"}));
        PressKey(window, FL_Escape);
    });
}

TEST_F(WindowedDriver, EnterPressesTheDefaultButtonOnlyWhileItIsEnabled) {
    const intptr_t result = Run(kDlgKinds, [](Fl_Window& window, WindowHandle dialog) {
        EnableWindow(GetDlgItem(dialog, kIdOk), false);
        gui::DialogView::RefreshAll();
        PressKey(window, FL_Enter);
        EXPECT_TRUE(IsDialogOpen(dialog));
        EnableWindow(GetDlgItem(dialog, kIdOk), true);
        gui::DialogView::RefreshAll();
        PressKey(window, FL_Enter);
        EXPECT_FALSE(IsDialogOpen(dialog));
    });
    EXPECT_EQ(result, 1);
}

TEST_F(WindowedDriver, EscapeSendsCancelAndTheCloseButtonTheCloseMessage) {
    EXPECT_EQ(Run(kDlgKinds, [](Fl_Window& window, WindowHandle) { PressKey(window, FL_Escape); }),
              2);
    EXPECT_EQ(heard, (std::vector<std::string>{"cmd 2 0"}));
    heard.clear();
    // The window manager's close button calls the window's callback outside any key event.
    EXPECT_EQ(Run(kDlgKinds,
                  [](Fl_Window& window, WindowHandle) {
                      Fl::e_number = FL_CLOSE;
                      window.do_callback();
                  }),
              0);
    EXPECT_EQ(heard, (std::vector<std::string>{"close"}));
}

TEST_F(WindowedDriver, MessageBoxesAreModalWithOneOkButton) {
    int boxes = 0;
    Run(kDlgKinds, [&](Fl_Window& window, WindowHandle dialog) {
        if (!dialog) {
            ++boxes;
            EXPECT_STREQ(window.label(), "Caption");
            EXPECT_EQ(Fl::modal(), &window);
            std::vector<std::string> buttons;
            for (int i = 0; i < window.children(); ++i)
                if (auto* b = dynamic_cast<Fl_Button*>(window.child(i)))
                    buttons.push_back(b->label());
            EXPECT_EQ(buttons, std::vector<std::string>{"OK"});
            PressKey(window, FL_Enter);
            return;
        }
        Click(window, dialog, kMessage);
        // Back in the dialog once the box is answered.
        EXPECT_TRUE(IsDialogOpen(dialog));
        PressKey(window, FL_Escape);
    });
    EXPECT_EQ(boxes, 1);
}

TEST_F(WindowedDriver, TheProgressWindowShowsThePhaseAndTakesTheCancelRequest) {
    gui::ProgressWindow progress;
    Fl_Window* shown = nullptr;
    progress.onShown = [&](Fl_Window& window, WindowHandle) { shown = &window; };
    progress.Shown("Exporting matrices", 40, true);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->shown());
    EXPECT_STREQ(shown->label(), "Exporting matrices");
    EXPECT_FALSE(progress.CancelAsked());
    Fl_Button* cancel = nullptr;
    for (int i = 0; i < shown->children(); ++i)
        if (auto* b = dynamic_cast<Fl_Button*>(shown->child(i))) cancel = b;
    ASSERT_NE(cancel, nullptr);
    ClickWidget(*shown, cancel);
    EXPECT_TRUE(progress.CancelAsked());
    progress.Ended();
    EXPECT_EQ(progress.Window(), nullptr);
}

intptr_t PageProc(WindowHandle page, unsigned message, WParam wp, LParam) {
    if (message == kMsgCommand && CommandId(wp) == kPush && CommandCode(wp) == kNotifyClicked)
        SetWindowText(page, GetDlgItemText(page, kEdit));
    return 0;
}

TEST_F(WindowedDriver, TheUtilityWindowHoldsThePageInItsSidePanel) {
    WindowHandle page = CreateDialogParam(kModule, kDlgPage, nullptr, &PageProc, 0);
    ASSERT_NE(page, nullptr);
    {
        gui::UtilityWindow window(nullptr, {{page, "Page title"}}, "scene.json");
        gui::ShowCentred(window);
        gui::DialogView* view = window.PageView(page);
        ASSERT_NE(view, nullptr);
        Fl_Widget* field = view->WidgetOf(kEdit);
        // The page sits right of the scene list, below its title.
        EXPECT_GT(field->x(), window.w() / 3);
        EXPECT_GT(field->y(), 10);
        ClickWidget(window, field);
        TypeText(window, "typed");
        ClickWidget(window, view->WidgetOf(kPush));
        EXPECT_EQ(GetWindowText(page), "typed");
    }
    DestroyWindow(page);
}
// The first widget of a type inside a group, depth first.
template <typename Wanted>
Wanted* FindInside(Fl_Group* group) {
    for (int i = 0; i < group->children(); ++i) {
        if (auto* w = dynamic_cast<Wanted*>(group->child(i))) return w;
        if (Fl_Group* inner = group->child(i)->as_group())
            if (Wanted* w = FindInside<Wanted>(inner)) return w;
    }
    return nullptr;
}

// Answers the folder dialog once it is up: types `answer` into its name field and presses OK,
// or presses Escape when the answer is empty.
struct FolderAnswer {
    std::string answer;
    bool seen = false;
    static void Give(void* data) {
        auto* self = static_cast<FolderAnswer*>(data);
        Fl_Window* chooser = Fl::first_window();
        if (!chooser || !chooser->shown() || !FindInside<Fl_File_Input>(chooser)) {
            Fl::repeat_timeout(0.05, &FolderAnswer::Give, data);
            return;
        }
        self->seen = true;
        if (self->answer.empty()) {
            PressKey(*chooser, FL_Escape);
            return;
        }
        Fl_File_Input* name = FindInside<Fl_File_Input>(chooser);
        name->value(self->answer.c_str());
        name->do_callback();
        ClickWidget(*chooser, FindInside<Fl_Return_Button>(chooser));
    }
};

TEST_F(WindowedDriver, TheFolderChooserIsAFolderDialog) {
    const std::string picked = std::filesystem::temp_directory_path().string();
    FolderAnswer answer{picked};
    Fl::add_timeout(0.05, &FolderAnswer::Give, &answer);
    std::string folder = "/";
    EXPECT_TRUE(ChooseFolder(nullptr, "Choose Output", folder));
    EXPECT_TRUE(answer.seen);
    EXPECT_EQ(std::filesystem::path(folder), std::filesystem::path(picked));

    FolderAnswer cancel{""};
    Fl::add_timeout(0.05, &FolderAnswer::Give, &cancel);
    std::string kept = "/somewhere";
    EXPECT_FALSE(ChooseFolder(nullptr, "Choose Output", kept));
    EXPECT_TRUE(cancel.seen);
    EXPECT_EQ(kept, "/somewhere");
}

}  // namespace
}  // namespace plughost
