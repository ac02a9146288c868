// The driver that plays a user from a list of actions.
#include <iostream>

#include "ui_internal.h"

namespace {
std::string Describe(const UiAction& a) {
    switch (a.kind) {
        case UiAction::Kind::Click:
            return "click " + std::to_string(a.id);
        case UiAction::Kind::Set:
            return "set " + std::to_string(a.id) + " " + a.text;
        case UiAction::Kind::Check:
            return "check " + std::to_string(a.id) + " " + std::to_string(a.value);
        case UiAction::Kind::Select:
            return "select " + std::to_string(a.id);
        case UiAction::Kind::SelectAll:
            return "selectall " + std::to_string(a.id);
        case UiAction::Kind::Slider:
            return "slider " + std::to_string(a.id) + " " + std::to_string(a.value);
        case UiAction::Kind::Folder:
            return "folder " + a.text;
        case UiAction::Kind::Cancel:
            return "cancel";
    }
    return "?";
}
}  // namespace

ScriptedUiDriver::ScriptedUiDriver(std::vector<UiAction> actions) : actions_(std::move(actions)) {}

void ScriptedUiDriver::Append(const std::vector<UiAction>& actions) {
    actions_.insert(actions_.end(), actions.begin(), actions.end());
}

void ScriptedUiDriver::Apply(WindowHandle dialog, const UiAction& a) {
    std::string why;
    bool done = true;
    switch (a.kind) {
        case UiAction::Kind::Click:
            done = ui_actions::Click(dialog, a.id, &why);
            break;
        case UiAction::Kind::Set:
            done = ui_actions::SetText(dialog, a.id, a.text, &why);
            break;
        case UiAction::Kind::Check:
            done = ui_actions::Check(dialog, a.id, a.value != 0, &why);
            break;
        case UiAction::Kind::Select:
            done = ui_actions::Select(dialog, a.id, a.items, &why);
            break;
        case UiAction::Kind::SelectAll:
            done = ui_actions::SelectAll(dialog, a.id, &why);
            break;
        case UiAction::Kind::Slider:
            done = ui_actions::Slide(dialog, a.id, a.value, &why);
            break;
        case UiAction::Kind::Folder:
            folderAnswers_.push_back(a.text);
            break;
        case UiAction::Kind::Cancel:
            ui_actions::Cancel(dialog);
            break;
    }
    if (!done && !a.quiet)
        std::cerr << "ui: action \"" << Describe(a) << "\" ignored: " << why << '\n';
}

void ScriptedUiDriver::RunModal(WindowHandle dialog) {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(++d) {}
        ~Depth() { --depth; }
    } nesting(depth_);
    // Actions run until the dialog closes; nested dialogs opened by an action take the
    // following actions themselves.
    while (IsDialogOpen(dialog) && next_ < actions_.size()) {
        const UiAction a = actions_[next_++];
        Apply(dialog, a);
    }
    if (!IsDialogOpen(dialog)) return;
    std::string why;
    const std::size_t messagesBefore = messageTexts_.size();
    if (ui_actions::PressDefault(dialog, &why) && !IsDialogOpen(dialog)) return;
    // The window's own title names the dialog as the user sees it ("Add Rule", "Edit Rule");
    // the template's title is only the default.
    std::string title = GetWindowText(dialog);
    const DialogTemplate* t = GetDialogTemplate(dialog);
    if (title.empty()) title = t && t->title ? t->title : "dialog";
    std::cerr << "ui: \"" << title << "\" did not close with its default button"
              << (why.empty() ? "" : " (" + why + ")") << "; closed with Cancel\n";
    const std::string reason = messageTexts_.size() > messagesBefore ? messageTexts_.back() : why;
    refusals_.push_back({title, reason, depth_ - 1});
    ui_actions::Cancel(dialog);
}

void ScriptedUiDriver::ApplyToPage(WindowHandle page) {
    while (IsDialogOpen(page) && next_ < actions_.size()) {
        const UiAction a = actions_[next_++];
        Apply(page, a);
    }
}

int ScriptedUiDriver::ShowMessage(WindowHandle, const std::string& text, const std::string& caption,
                                  unsigned) {
    messages_.push_back(caption + ": " + text);
    messageTexts_.push_back(text);
    std::cerr << messages_.back() << '\n';
    return kIdOk;
}

bool ScriptedUiDriver::ChooseFolder(WindowHandle, const std::string&, std::string& folder) {
    if (folderAnswers_.empty()) return false;
    folder = folderAnswers_.front();
    folderAnswers_.erase(folderAnswers_.begin());
    return true;
}
