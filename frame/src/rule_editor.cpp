// The rule editor: a wildcard and an Include/Exclude choice, joined into '+' or '-' and the
// wildcard.
#include "frame/rule_editor.h"

#include "dialog_support.h"
#include "frame/export_settings.h"
#include "frame/plugin_state.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace resources;

namespace {

struct RuleEditorData {
    std::string rule;
    std::string title;
};

// The settings file holds rules of at most this many characters, sign included.
constexpr std::size_t kMaxWildcardLength = kMaxRuleLength - 1;

void InitDialog(WindowHandle dialog, const RuleEditorData& data) {
    SetWindowText(dialog, data.title);
    const bool exclude = !data.rule.empty() && data.rule[0] == '-';
    CheckRadioButton(dialog, kIdcInclude, kIdcExclude, exclude ? kIdcExclude : kIdcInclude);
    SetDlgItemText(dialog, kIdcWildcard, data.rule.empty() ? "" : data.rule.substr(1));
    // OK starts enabled, even for an empty wildcard; only later edits require text.
    EnableItem(dialog, kIdOk, true);
}

void Confirm(WindowHandle dialog, RuleEditorData& data) {
    const std::string wildcard = GetDlgItemText(dialog, kIdcWildcard);
    if (wildcard.size() > kMaxWildcardLength) {
        ShowDialogMessage(dialog, "The wildcard is too long: at most " +
                                      std::to_string(kMaxWildcardLength) + " characters.");
        return;
    }
    // One rule is one line of the settings file.
    if (wildcard.find_first_of("\r\n") != std::string::npos) {
        ShowDialogMessage(dialog, "The wildcard cannot hold a line break.");
        return;
    }
    data.rule = (IsDlgButtonChecked(dialog, kIdcExclude) ? "-" : "+") + wildcard;
    EndDialog(dialog, 1);
}

}  // namespace

intptr_t RuleEditorProc(WindowHandle dialog, unsigned message, WParam wp, LParam lp) {
    if (message == kMsgInitDialog) {
        SetWindowUserData(dialog, lp);
        InitDialog(dialog, *reinterpret_cast<RuleEditorData*>(lp));
        return 1;
    }
    RuleEditorData* data = DialogData<RuleEditorData>(dialog);
    if (!data) return 0;
    if (message == kMsgClose) {
        EndDialog(dialog, 0);
        return 1;
    }
    if (message != kMsgCommand) return 0;
    const int id = CommandId(wp);
    const unsigned code = CommandCode(wp);
    if (id == kIdcWildcard && (code == kNotifyChange || code == kNotifyUpdate)) {
        EnableItem(dialog, kIdOk, !GetDlgItemText(dialog, kIdcWildcard).empty());
    } else if (id == kIdOk && code == kNotifyClicked) {
        Confirm(dialog, *data);
    } else if (id == kIdCancel && code == kNotifyClicked) {
        EndDialog(dialog, 0);
    }
    return 1;
}

bool RunRuleEditor(std::string& rule, const std::string& title, WindowHandle parent) {
    RuleEditorData data{rule, title};
    const intptr_t result = DialogBoxParam(LibraryModule(), kDlgRuleEditor, parent, &RuleEditorProc,
                                           reinterpret_cast<LParam>(&data));
    if (result != 1) return false;
    rule = data.rule;
    return true;
}

}  // namespace frame
