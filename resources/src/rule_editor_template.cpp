// The rule editor of quellstone.dle; its procedure sets the title ("Add Rule" or "Edit Rule").
#include <array>

#include "resources/quellstone_resources.h"
#include "resources/resource_ids.h"

namespace resources {

namespace {

constexpr std::array<ControlTemplate, 7> kControls{{
    {kNoId, ControlKind::GroupBox, "Bone name wildcard", 7, 7, 211, 38, 0},
    {kIdcWildcard, ControlKind::Edit, "", 13, 22, 199, 14, 0},
    {kNoId, ControlKind::GroupBox, "Include/exclude bones matching this wildcard", 7, 50, 211, 49,
     0},
    {kIdcInclude, ControlKind::AutoRadioButton, "&Include", 16, 66, 39, 10, kStyleGroup},
    {kIdcExclude, ControlKind::AutoRadioButton, "&Exclude", 16, 81, 41, 10, 0},
    {kIdOk, ControlKind::DefPushButton, "OK", 107, 106, 50, 14, 0},
    {kIdCancel, ControlKind::PushButton, "Cancel", 168, 106, 50, 14, 0},
}};

constexpr DialogTemplate kTemplate{kDlgRuleEditor, "Rule",           "MS Sans Serif", 8, 225, 127,
                                   false,          kControls.data(), kControls.size()};

}  // namespace

const DialogTemplate& RuleEditorTemplate() {
    return kTemplate;
}

}  // namespace resources
