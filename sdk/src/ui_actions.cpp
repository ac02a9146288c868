// What a user can do with a dialog's controls, and the text form of those actions.
#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "ui_internal.h"

namespace {
// The control, usable by a user: present, visible and enabled.
Window* Usable(WindowHandle dialog, int id, std::string* why) {
    auto fail = [&](const std::string& reason) -> Window* {
        if (why) *why = "control " + std::to_string(id) + reason;
        return nullptr;
    };
    if (!IsDialogOpen(dialog)) return fail(": no dialog is open");
    Window* c = GetDlgItem(dialog, id);
    if (!c) return fail(" does not exist in \"" + dialog->text + "\"");
    if (!c->visible) return fail(" is hidden");
    if (!c->enabled) return fail(" is disabled");
    return c;
}

bool WrongKind(int id, const char* expected, std::string* why) {
    if (why) *why = "control " + std::to_string(id) + " is not " + expected;
    return false;
}

bool IsRadio(const Window* c) {
    return c->kind == ControlKind::AutoRadioButton;
}
bool IsCheck(const Window* c) {
    return c->kind == ControlKind::CheckBox || c->kind == ControlKind::AutoCheckBox;
}

// Radio buttons of one group: from the group's first control up to the next group start.
void CheckWithinGroup(Window* radio) {
    auto& controls = radio->parent->controls;
    std::size_t at = 0;
    while (controls[at].get() != radio) ++at;
    std::size_t first = at;
    while (first > 0 && !(controls[first]->style & kStyleGroup) &&
           IsRadio(controls[first - 1].get()))
        --first;
    for (std::size_t i = first; i < controls.size(); ++i) {
        if (i > first && (controls[i]->style & kStyleGroup)) break;
        if (!IsRadio(controls[i].get())) break;
        controls[i]->checked = controls[i].get() == radio;
    }
}

int ParseInt(const std::string& word, const std::string& action) {
    try {
        std::size_t used = 0;
        const int value = std::stoi(word, &used);
        if (used == word.size()) return value;
    } catch (const std::exception&) {
    }
    throw std::invalid_argument("bad number \"" + word + "\" in action \"" + action + "\"");
}
}  // namespace

namespace ui_actions {
bool Click(WindowHandle dialog, int id, std::string* why) {
    Window* c = Usable(dialog, id, why);
    if (!c) return false;
    switch (c->kind) {
        case ControlKind::AutoCheckBox:
            c->checked = !c->checked;
            break;
        case ControlKind::AutoRadioButton:
            CheckWithinGroup(c);
            break;
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
        case ControlKind::CheckBox:
            break;
        default:
            return WrongKind(id, "a button", why);
    }
    ui_detail::Notify(c, kNotifyClicked);
    return true;
}

bool SetText(WindowHandle dialog, int id, const std::string& text, std::string* why) {
    // Typing into a field: it gains the focus, its text changes, it loses the focus.
    if (!Focus(dialog, id, true, why)) return false;
    Type(dialog, id, text);
    Focus(dialog, id, false);
    return true;
}

bool Focus(WindowHandle dialog, int id, bool gained, std::string* why) {
    Window* c = Usable(dialog, id, why);
    if (!c) return false;
    if (c->kind != ControlKind::Edit) return WrongKind(id, "an edit field", why);
    ui_detail::Notify(c, gained ? kNotifySetFocus : kNotifyKillFocus);
    return true;
}

bool Type(WindowHandle dialog, int id, const std::string& text, std::string* why) {
    Window* c = Usable(dialog, id, why);
    if (!c) return false;
    if (c->kind != ControlKind::Edit) return WrongKind(id, "an edit field", why);
    SetWindowText(c, text);
    return true;
}

bool Check(WindowHandle dialog, int id, bool checked, std::string* why) {
    Window* c = Usable(dialog, id, why);
    if (!c) return false;
    if (IsRadio(c)) {
        if (!checked) return WrongKind(id, "a check box (a radio button cannot be cleared)", why);
        return c->checked || Click(dialog, id, why);
    }
    if (!IsCheck(c)) return WrongKind(id, "a check box", why);
    return c->checked == checked || Click(dialog, id, why);
}

bool Select(WindowHandle dialog, int id, const std::vector<int>& items, std::string* why) {
    Window* c = Usable(dialog, id, why);
    if (!c) return false;
    if (c->kind != ControlKind::ListBox) return WrongKind(id, "a list box", why);
    const bool multi = (c->style & kStyleMultiSelect) != 0;
    if (!multi && items.size() > 1) {
        if (why) *why = "list box " + std::to_string(id) + " takes one selection only";
        return false;
    }
    for (int item : items) {
        if (item < 0 || item >= static_cast<int>(c->items.size())) {
            if (why)
                *why = "list box " + std::to_string(id) + " has no item " + std::to_string(item);
            return false;
        }
    }
    std::fill(c->selected.begin(), c->selected.end(), false);
    for (int item : items) c->selected[item] = true;
    ui_detail::Notify(c, kNotifySelChange);
    return true;
}

bool SelectAll(WindowHandle dialog, int id, std::string* why) {
    Window* c = Usable(dialog, id, why);
    if (!c) return false;
    if (c->kind != ControlKind::ListBox) return WrongKind(id, "a list box", why);
    // A single-selection list box can take only its first item.
    const bool multi = (c->style & kStyleMultiSelect) != 0;
    const std::size_t count = multi ? c->items.size() : std::min<std::size_t>(c->items.size(), 1);
    std::vector<int> all;
    all.reserve(count);
    for (std::size_t i = 0; i < count; ++i) all.push_back(static_cast<int>(i));
    return Select(dialog, id, all, why);
}

bool Slide(WindowHandle dialog, int id, int position, std::string* why) {
    Window* c = Usable(dialog, id, why);
    if (!c) return false;
    if (c->kind != ControlKind::Slider) return WrongKind(id, "a slider", why);
    SliderSetPos(c, position);
    constexpr WParam kThumbPosition = 4;
    Window* d = c->parent;
    if (d->proc)
        d->proc(d, kMsgHScroll, kThumbPosition | (static_cast<WParam>(c->sliderPos) << 16),
                reinterpret_cast<LParam>(c));
    return true;
}

bool PressDefault(WindowHandle dialog, std::string* why) {
    if (!IsDialogOpen(dialog)) return false;
    for (auto& control : dialog->controls)
        if (control->kind == ControlKind::DefPushButton) return Click(dialog, control->id, why);
    if (why) *why = "\"" + dialog->text + "\" has no default button";
    return false;
}

void Cancel(WindowHandle dialog) {
    if (!IsDialogOpen(dialog)) return;
    SendDialogMessage(dialog, kMsgCommand, MakeCommandParam(kIdCancel, kNotifyClicked), 0);
    if (IsDialogOpen(dialog)) EndDialog(dialog, 0);
}
}  // namespace ui_actions

std::vector<UiAction> ParseUiActions(const std::string& script) {
    std::vector<UiAction> actions;
    std::size_t start = 0;
    while (start <= script.size()) {
        std::size_t end = script.find(';', start);
        if (end == std::string::npos) end = script.size();
        std::string text = script.substr(start, end - start);
        start = end + 1;
        const std::size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos) continue;  // empty action between separators
        text.erase(0, first);

        std::istringstream words(text);
        std::string verb, idWord;
        words >> verb;
        UiAction a;
        auto rest = [&]() {
            // Everything after the verb, the id and one blank: texts keep inner blanks.
            std::size_t at = text.find(idWord, verb.size()) + idWord.size();
            return at < text.size() ? text.substr(at + 1) : std::string();
        };
        auto needId = [&]() {
            if (!(words >> idWord))
                throw std::invalid_argument("action \"" + text + "\" needs a control id");
            a.id = ParseInt(idWord, text);
        };
        if (verb == "click") {
            a.kind = UiAction::Kind::Click;
            needId();
        } else if (verb == "set") {
            a.kind = UiAction::Kind::Set;
            needId();
            a.text = rest();
        } else if (verb == "check") {
            a.kind = UiAction::Kind::Check;
            needId();
            std::string v;
            if (!(words >> v) || (v != "0" && v != "1"))
                throw std::invalid_argument("action \"" + text + "\" needs 0 or 1");
            a.value = v == "1";
        } else if (verb == "select") {
            a.kind = UiAction::Kind::Select;
            needId();
            std::string list;
            words >> list;
            std::stringstream items(list);
            for (std::string item; std::getline(items, item, ',');)
                if (!item.empty()) a.items.push_back(ParseInt(item, text));
        } else if (verb == "selectall") {
            a.kind = UiAction::Kind::SelectAll;
            needId();
        } else if (verb == "slider") {
            a.kind = UiAction::Kind::Slider;
            needId();
            std::string v;
            if (!(words >> v))
                throw std::invalid_argument("action \"" + text + "\" needs a position");
            a.value = ParseInt(v, text);
        } else if (verb == "folder") {
            a.kind = UiAction::Kind::Folder;
            a.text = text.size() > verb.size() ? text.substr(verb.size() + 1) : std::string();
        } else if (verb == "cancel") {
            a.kind = UiAction::Kind::Cancel;
        } else {
            throw std::invalid_argument("unknown action \"" + text + "\"");
        }
        std::string extra;
        if (a.kind != UiAction::Kind::Set && a.kind != UiAction::Kind::Folder && (words >> extra))
            throw std::invalid_argument("unexpected \"" + extra + "\" in action \"" + text + "\"");
        actions.push_back(std::move(a));
    }
    return actions;
}
