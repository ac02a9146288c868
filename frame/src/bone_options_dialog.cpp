// "Bone Export Options": bone rules, hidden nodes, scale and rotation, frame range and (pose
// variant) texture export.
#include <utility>
#include <vector>

#include "dialog_support.h"
#include "frame/export_settings.h"
#include "frame/options_dialog.h"
#include "frame/plugin_state.h"
#include "frame/rule_editor.h"
#include "range_controls.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace resources;

namespace {

struct BoneDialogData {
    ExportSettings settings;  // the copy the dialog edits
    BoneDialogVariant variant;
    std::string outputDirectory;
};

WindowHandle RuleList(WindowHandle dialog) {
    return GetDlgItem(dialog, kIdcRuleList);
}

// Edit needs exactly one selected rule, Remove at least one; Up and Dn exactly one that can move.
void UpdateRuleButtons(WindowHandle dialog) {
    WindowHandle list = RuleList(dialog);
    const std::vector<int> selected = ListBoxGetSelItems(list);
    const bool single = selected.size() == 1;
    EnableItem(dialog, kIdcRuleEdit, single);
    EnableItem(dialog, kIdcRuleRemove, !selected.empty());
    EnableItem(dialog, kIdcRuleUp, single && selected[0] > 0);
    EnableItem(dialog, kIdcRuleDown, single && selected[0] < ListBoxGetCount(list) - 1);
}

void SelectOnly(WindowHandle list, int index) {
    ListBoxSetSel(list, false, -1);
    ListBoxSetSel(list, true, index);
}

void ReplaceRule(WindowHandle list, int index, const std::string& rule) {
    ListBoxDeleteString(list, index);
    ListBoxInsertString(list, index, rule);
}

void AddRule(WindowHandle dialog) {
    std::string rule;
    if (!RunRuleEditor(rule, "Add Rule", dialog)) return;
    WindowHandle list = RuleList(dialog);
    SelectOnly(list, ListBoxAddString(list, rule));
}

void EditRule(WindowHandle dialog) {
    WindowHandle list = RuleList(dialog);
    const std::vector<int> selected = ListBoxGetSelItems(list);
    if (selected.size() != 1) return;
    std::string rule = ListBoxGetText(list, selected[0]);
    if (!RunRuleEditor(rule, "Edit Rule", dialog)) return;
    ReplaceRule(list, selected[0], rule);
    SelectOnly(list, selected[0]);
}

void RemoveRules(WindowHandle dialog) {
    WindowHandle list = RuleList(dialog);
    const std::vector<int> selected = ListBoxGetSelItems(list);
    // From the end, so the remaining indices stay valid.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) ListBoxDeleteString(list, *it);
}

void MoveRule(WindowHandle dialog, int step) {
    WindowHandle list = RuleList(dialog);
    const std::vector<int> selected = ListBoxGetSelItems(list);
    if (selected.size() != 1) return;
    const int from = selected[0], to = from + step;
    if (to < 0 || to >= ListBoxGetCount(list)) return;
    const std::string moving = ListBoxGetText(list, from);
    const std::string other = ListBoxGetText(list, to);
    ReplaceRule(list, to, moving);
    ReplaceRule(list, from, other);
    SelectOnly(list, to);
}

void UpdateOutputDirectoryLine(WindowHandle dialog) {
    EnableItem(dialog, kIdcOutputDirectory, IsDlgButtonChecked(dialog, kIdcExportTextures));
}

void InitDialog(WindowHandle dialog, BoneDialogData& data) {
    const ExportSettings& s = data.settings;
    WindowHandle list = RuleList(dialog);
    ListBoxResetContent(list);
    for (const auto& rule : s.rules) ListBoxAddString(list, rule);
    CheckDlgButton(dialog, kIdcIgnoreHidden, s.ignoreHidden != 0);
    CheckDlgButton(dialog, kIdcRotate180, s.rotate180 != 0);
    CheckDlgButton(dialog, kIdcExportTextures, s.exportTextures != 0);
    SetDlgItemText(dialog, kIdcScaleFactor, ScaleFieldText(s.scaleFactor));
    InitRangeControls(dialog, s.rangeStart, s.rangeEnd, s.ticksPerFrame);
    UpdateRuleButtons(dialog);

    if (data.variant == BoneDialogVariant::Bone) {
        EnableItem(dialog, kIdcExportTextures, false);
        SetDlgItemText(dialog, kIdcOutputDirectory, "");
        EnableItem(dialog, kIdcOutputDirectory, false);
    } else {
        EnableRangeControls(dialog, false);
        SetDlgItemText(dialog, kIdcOutputDirectory, "Output directory: " + data.outputDirectory);
        UpdateOutputDirectoryLine(dialog);
    }
}

// Checks the scale factor, then the range; copies the dialog back only when both pass.
void Confirm(WindowHandle dialog, BoneDialogData& data) {
    ExportSettings& s = data.settings;
    ScaleRotationRange read;
    if (!ReadScaleRotationRange(dialog, s.ticksPerFrame, read)) return;

    WindowHandle list = RuleList(dialog);
    s.rules.clear();
    for (int i = 0, n = ListBoxGetCount(list); i < n; ++i)
        s.rules.push_back(ListBoxGetText(list, i));
    s.ignoreHidden = IsDlgButtonChecked(dialog, kIdcIgnoreHidden) ? 1 : 0;
    TakeScaleRotationRange(read, s);
    if (data.variant == BoneDialogVariant::Pose)
        s.exportTextures = IsDlgButtonChecked(dialog, kIdcExportTextures) ? 1 : 0;
    EndDialog(dialog, 1);
}

void Command(WindowHandle dialog, BoneDialogData& data, int id, unsigned code) {
    if (id == kIdcRuleList) {
        if (code == kNotifySelChange) UpdateRuleButtons(dialog);
        return;
    }
    if (code != kNotifyClicked) return;
    if (HandleRangeButton(dialog, id, data.settings.ticksPerFrame)) return;
    switch (id) {
        case kIdcRuleAdd:
            AddRule(dialog);
            break;
        case kIdcRuleRemove:
            RemoveRules(dialog);
            break;
        case kIdcRuleEdit:
            EditRule(dialog);
            break;
        case kIdcRuleUp:
            MoveRule(dialog, -1);
            break;
        case kIdcRuleDown:
            MoveRule(dialog, +1);
            break;
        case kIdcExportTextures:
            UpdateOutputDirectoryLine(dialog);
            return;
        case kIdOk:
            Confirm(dialog, data);
            return;
        case kIdCancel:
            EndDialog(dialog, 0);
            return;
        default:
            return;
    }
    UpdateRuleButtons(dialog);
}

}  // namespace

intptr_t BoneOptionsProc(WindowHandle dialog, unsigned message, WParam wp, LParam lp) {
    if (message == kMsgInitDialog) {
        SetWindowUserData(dialog, lp);
        InitDialog(dialog, *reinterpret_cast<BoneDialogData*>(lp));
        return 1;
    }
    BoneDialogData* data = DialogData<BoneDialogData>(dialog);
    if (!data) return 0;
    switch (message) {
        case kMsgCommand:
            Command(dialog, *data, CommandId(wp), CommandCode(wp));
            return 1;
        case kMsgHScroll:
            UpdateRangeTexts(dialog);
            return 1;
        case kMsgClose:
            EndDialog(dialog, 0);
            return 1;
        default:
            return 0;
    }
}

DialogOutcome RunBoneOptionsDialog(ExportSettings& settings, BoneDialogVariant variant,
                                   const std::string& outputDirectory) {
    BoneDialogData data{settings, variant, outputDirectory};
    const intptr_t result = DialogBoxParam(LibraryModule(), kDlgBoneOptions, HostWindow(),
                                           &BoneOptionsProc, reinterpret_cast<LParam>(&data));
    if (result < 0) return DialogOutcome::Unavailable;
    if (result == 0) return DialogOutcome::Cancelled;
    settings = std::move(data.settings);
    return DialogOutcome::Confirmed;
}

}  // namespace frame
