#pragma once
// The user-interface layer: dialogs built from templates, controls that behave as their Windows
// counterparts do, message boxes and a pluggable driver that stands in for the user.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

struct Window;
using WindowHandle = Window*;
using ModuleHandle = void*;
using WParam = uintptr_t;
using LParam = intptr_t;
// Returns nonzero when it handled the message.
using DialogProc = intptr_t (*)(WindowHandle dialog, unsigned message, WParam wp, LParam lp);

// Messages.
inline constexpr unsigned kMsgClose = 0x0010;
inline constexpr unsigned kMsgInitDialog = 0x0110;  // lp: the parameter given to the dialog
inline constexpr unsigned kMsgCommand = 0x0111;     // wp: id | (notification << 16)
inline constexpr unsigned kMsgHScroll = 0x0114;     // lp: the slider's handle

// Notification codes of kMsgCommand.
inline constexpr unsigned kNotifyClicked = 0;
inline constexpr unsigned kNotifySelChange = 1;  // list box selection changed
inline constexpr unsigned kNotifySetFocus = 0x100;
inline constexpr unsigned kNotifyKillFocus = 0x200;
inline constexpr unsigned kNotifyChange = 0x300;  // edit text changed
inline constexpr unsigned kNotifyUpdate = 0x400;  // edit text about to be shown changed

inline constexpr WParam MakeCommandParam(int id, unsigned code) {
    return (static_cast<WParam>(code) << 16) | (static_cast<WParam>(id) & 0xFFFFu);
}
inline constexpr int CommandId(WParam wp) {
    return static_cast<int>(wp & 0xFFFFu);
}
inline constexpr unsigned CommandCode(WParam wp) {
    return static_cast<unsigned>((wp >> 16) & 0xFFFFu);
}

// Standard button ids and message box answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Message box flags.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbIconWarning = 0x30;

enum class ControlKind {
    Static,
    GroupBox,
    PushButton,
    DefPushButton,
    CheckBox,      // the dialog procedure sets the check itself
    AutoCheckBox,  // toggles on click
    AutoRadioButton,
    Edit,
    ListBox,
    Slider,
    Picture,
};

// Style flags of a control template.
inline constexpr unsigned kStyleHidden = 1u << 0;
inline constexpr unsigned kStyleDisabled = 1u << 1;
inline constexpr unsigned kStyleMultiSelect = 1u << 2;  // list box: several items selectable
inline constexpr unsigned kStyleSorted = 1u << 3;       // list box: keeps items sorted
inline constexpr unsigned kStyleVScroll = 1u << 4;
inline constexpr unsigned kStyleHScroll = 1u << 5;
inline constexpr unsigned kStyleNoTicks = 1u << 6;  // slider without tick marks
inline constexpr unsigned kStyleGroup = 1u << 7;    // first control of a radio group
inline constexpr unsigned kStyleBorder = 1u << 8;
inline constexpr unsigned kStyleFloatEdit = 1u << 9;  // edit field holding a float

inline constexpr int kNoId = -1;

// One control of a dialog template; places are in dialog units.
struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    short x, y, w, h;
    unsigned style;
};

struct DialogTemplate {
    int id;
    const char* title;
    const char* font;
    int pointSize;
    short width, height;
    bool childPage;  // a panel page rather than a modal dialog
    const ControlTemplate* controls;
    std::size_t controlCount;
};

// A bitmap resource (the dialogs' pictures): 8-bit indices with a palette of 256 RGB entries.
struct BitmapResource {
    int id;
    int width, height;
    const unsigned char* indices;  // width * height, top row first
    const unsigned char* palette;  // 768 bytes
};

// What a library registers at load: its dialog templates and pictures.
struct ResourceTable {
    const DialogTemplate* const* dialogs;
    std::size_t dialogCount;
    const BitmapResource* const* bitmaps;
    std::size_t bitmapCount;
};

// Library side: make a module's resources known to the dialog layer; false when it cannot.
bool RegisterModuleResources(ModuleHandle module, const ResourceTable* table);
void UnregisterModuleResources(ModuleHandle module);
const DialogTemplate* FindDialogTemplate(ModuleHandle module, int templateId);
const BitmapResource* FindBitmapResource(ModuleHandle module, int bitmapId);
// Common-controls set-up; counts its calls so tests can see that a library made it.
void InitCommonControls();
int CommonControlsInitCount();

// Dialogs. A modal dialog runs until its procedure calls EndDialog; the result is EndDialog's
// value, or -1 when the template cannot be found.
intptr_t DialogBoxParam(ModuleHandle module, int templateId, WindowHandle parent, DialogProc proc,
                        LParam param);
bool EndDialog(WindowHandle dialog, intptr_t result);
// A child page (modeless); it stays until DestroyWindow.
WindowHandle CreateDialogParam(ModuleHandle module, int templateId, WindowHandle parent,
                               DialogProc proc, LParam param);
void DestroyWindow(WindowHandle window);
// Sends a message straight to a dialog's procedure; 0 when the window has none.
intptr_t SendDialogMessage(WindowHandle dialog, unsigned message, WParam wp, LParam lp);

// Window and control state.
WindowHandle GetDlgItem(WindowHandle dialog, int id);
int GetDlgCtrlID(WindowHandle control);
WindowHandle GetParentWindow(WindowHandle control);
void SetWindowText(WindowHandle window, const std::string& text);
std::string GetWindowText(WindowHandle window);
// Edit fields notify their dialog of a text set here (kNotifyUpdate, then kNotifyChange), as
// the real controls do.
void SetDlgItemText(WindowHandle dialog, int id, const std::string& text);
std::string GetDlgItemText(WindowHandle dialog, int id);
void CheckDlgButton(WindowHandle dialog, int id, bool checked);
bool IsDlgButtonChecked(WindowHandle dialog, int id);
// Radio buttons first..last: checks one and clears the rest.
void CheckRadioButton(WindowHandle dialog, int firstId, int lastId, int checkId);
void EnableWindow(WindowHandle window, bool enable);
bool IsWindowEnabled(WindowHandle window);
void ShowWindow(WindowHandle window, bool show);
bool IsWindowVisible(WindowHandle window);
bool IsDialogOpen(WindowHandle dialog);
// A value the dialog procedure keeps with its window.
void SetWindowUserData(WindowHandle window, LParam data);
LParam GetWindowUserData(WindowHandle window);
// The dialog's template (title, controls), for drivers that show or inspect it.
const DialogTemplate* GetDialogTemplate(WindowHandle dialog);

// List boxes (item operations on the control's handle).
int ListBoxAddString(WindowHandle list, const std::string& text);  // index of the new item
int ListBoxInsertString(WindowHandle list, int index, const std::string& text);
bool ListBoxDeleteString(WindowHandle list, int index);
void ListBoxResetContent(WindowHandle list);
int ListBoxGetCount(WindowHandle list);
std::string ListBoxGetText(WindowHandle list, int index);
// Multi-select: sets or clears one item, or every item with index -1. Single-select: selects
// the item (or none with -1) and clears the others.
void ListBoxSetSel(WindowHandle list, bool select, int index);
bool ListBoxGetSel(WindowHandle list, int index);
int ListBoxGetSelCount(WindowHandle list);
std::vector<int> ListBoxGetSelItems(WindowHandle list);  // ascending

// Sliders.
void SliderSetRange(WindowHandle slider, int minimum, int maximum);
int SliderGetMin(WindowHandle slider);
int SliderGetMax(WindowHandle slider);
void SliderSetPos(WindowHandle slider, int position);  // clamped to the range
int SliderGetPos(WindowHandle slider);

// A message box with one OK button; returns kIdOk.
int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
               unsigned flags);

// The folder chooser: true with the chosen folder in `folder`, false when the user cancelled.
bool ChooseFolder(WindowHandle owner, const std::string& title, std::string& folder);

// The driver stands in for the user: it runs modal dialogs, answers message boxes and folder
// choosers. Exactly one is installed; by default a driver that presses every dialog's default
// button, answers message boxes on standard error and cancels folder choosers.
class UiDriver {
  public:
    virtual ~UiDriver() = default;
    // Called once the dialog exists and has had its init message; returns when it is closed.
    virtual void RunModal(WindowHandle dialog) = 0;
    // A child page was created or is about to be destroyed.
    virtual void PageOpened(WindowHandle /*page*/) {}
    virtual void PageClosing(WindowHandle /*page*/) {}
    virtual int ShowMessage(WindowHandle owner, const std::string& text, const std::string& caption,
                            unsigned flags) = 0;
    virtual bool ChooseFolder(WindowHandle owner, const std::string& title,
                              std::string& folder) = 0;
};

// Installs a driver (null restores the default); returns the one it replaces.
UiDriver* SetUiDriver(UiDriver* driver);
UiDriver* GetUiDriver();

// What a user can do with a control. Each returns false (and does nothing) when the control is
// missing, disabled, hidden or of the wrong kind; `why` then says which.
namespace ui_actions {
bool Click(WindowHandle dialog, int id, std::string* why = nullptr);
bool SetText(WindowHandle dialog, int id, const std::string& text, std::string* why = nullptr);
bool Check(WindowHandle dialog, int id, bool checked, std::string* why = nullptr);
bool Select(WindowHandle dialog, int id, const std::vector<int>& items, std::string* why = nullptr);
bool SelectAll(WindowHandle dialog, int id, std::string* why = nullptr);
bool Slide(WindowHandle dialog, int id, int position, std::string* why = nullptr);
// Presses the dialog's default button; false when it has none or it is disabled.
bool PressDefault(WindowHandle dialog, std::string* why = nullptr);
// Closes the dialog with Cancel: the Cancel command first, then EndDialog(0) if still open.
void Cancel(WindowHandle dialog);
}  // namespace ui_actions

// The scripted driver: applies a list of actions to whichever dialog is open, presses the
// default button when they run out, cancels a dialog that still will not close, echoes message
// boxes to standard error as "Caption: text" and answers them OK.
struct UiAction {
    enum class Kind { Click, Set, Check, Select, SelectAll, Slider, Folder, Cancel };
    Kind kind = Kind::Cancel;
    int id = 0;
    std::string text;        // Set: the text; Folder: the path
    std::vector<int> items;  // Select
    int value = 0;           // Check: 0/1; Slider: position
    bool quiet = false;      // a refused action is not reported (for generated actions)
};

// Parses "click 1043; set 1011 2.5; check 1010 1; select 1042 0,2; selectall 1042;
// slider 1000 5; folder /x; cancel". Throws std::invalid_argument naming the faulty action.
std::vector<UiAction> ParseUiActions(const std::string& script);

class ScriptedUiDriver : public UiDriver {
  public:
    explicit ScriptedUiDriver(std::vector<UiAction> actions = {});
    void Append(const std::vector<UiAction>& actions);
    // Applies the queued actions to a child page until they run out (the page stays open).
    void ApplyToPage(WindowHandle page);

    void RunModal(WindowHandle dialog) override;
    int ShowMessage(WindowHandle owner, const std::string& text, const std::string& caption,
                    unsigned flags) override;
    bool ChooseFolder(WindowHandle owner, const std::string& title, std::string& folder) override;

    // Every message box shown, as "Caption: text", in order.
    const std::vector<std::string>& Messages() const { return messages_; }
    std::size_t PendingActions() const { return actions_.size() - next_; }

    // A modal dialog whose default button did not close it, so the driver closed it with
    // Cancel: its title, what it said (the text of its last message box, or why the button
    // could not be pressed), and how deep it was nested (0: opened by the plug-in itself).
    struct Refusal {
        std::string title;
        std::string reason;
        int depth = 0;
    };
    const std::vector<Refusal>& Refusals() const { return refusals_; }

  private:
    // Applies one action to the dialog; Folder actions are queued for the next chooser.
    void Apply(WindowHandle dialog, const UiAction& action);

    std::vector<UiAction> actions_;
    std::size_t next_ = 0;
    std::vector<std::string> folderAnswers_;
    std::vector<std::string> messages_;
    std::vector<std::string> messageTexts_;  // the texts alone, for refusals
    std::vector<Refusal> refusals_;
    int depth_ = 0;  // modal dialogs open through this driver
};

#pragma GCC visibility pop
