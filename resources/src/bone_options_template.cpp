// The "Bone Export Options" dialog (bone and pose variants) of quellstone.dle.
#include <array>

#include "range_group.h"
#include "resources/quellstone_resources.h"

namespace resources {

namespace {

constexpr std::array<ControlTemplate, 9> kRuleGroup{{
    {kNoId, ControlKind::GroupBox, "Bone include/exclude rules", 7, 7, 181, 112, 0},
    {kIdcRuleAdd, ControlKind::PushButton, "Add", 13, 18, 53, 14, 0},
    {kIdcRuleRemove, ControlKind::PushButton, "Remove", 71, 18, 53, 14, 0},
    {kIdcRuleEdit, ControlKind::PushButton, "Edit", 129, 18, 53, 14, 0},
    {kNoId, ControlKind::Static, "-*", 18, 35, 41, 8, 0},
    {kIdcRuleList, ControlKind::ListBox, "", 14, 44, 146, 54, kStyleMultiSelect | kStyleVScroll},
    {kIdcRuleUp, ControlKind::PushButton, "Up", 168, 44, 14, 14, 0},
    {kIdcRuleDown, ControlKind::PushButton, "Dn", 168, 84, 14, 14, 0},
    {kIdcIgnoreHidden, ControlKind::AutoCheckBox, "Ignore hidden nodes", 15, 105, 83, 10, 0},
}};

constexpr std::array<ControlTemplate, 10> kLowerGroups{{
    {kNoId, ControlKind::GroupBox, "Rotate/scale", 7, 125, 131, 49, 0},
    {kNoId, ControlKind::Static, "Scale factor:", 19, 140, 41, 8, 0},
    {kIdcScaleFactor, ControlKind::Edit, "", 71, 137, 40, 14, kStyleFloatEdit},
    {kIdcRotate180, ControlKind::AutoCheckBox, "Rotate horizontally 180 degrees", 19, 156, 115, 10,
     0},
    // The picture names its bitmap resource by number, as a resource script does.
    {kNoId, ControlKind::Picture, "104", 146, 130, 43, 39, 0},
    {kNoId, ControlKind::GroupBox, "Export textures", 197, 125, 176, 49, 0},
    {kIdcExportTextures, ControlKind::AutoCheckBox, "Export textures in 24- or 32-bit TGA format",
     203, 137, 164, 10, 0},
    {kIdcOutputDirectory, ControlKind::Static, "", 204, 154, 163, 8, 0},
    {kIdOk, ControlKind::DefPushButton, "OK", 258, 181, 50, 14, 0},
    {kIdCancel, ControlKind::PushButton, "Cancel", 323, 181, 50, 14, 0},
}};

// Controls in the order of the dialog's layout: rules, range, scale and textures, buttons.
constexpr auto kControls =
    JoinControls(JoinControls(kRuleGroup, kRangeGroupControls), kLowerGroups);

constexpr DialogTemplate kTemplate{
    kDlgBoneOptions, "Bone Export Options", "MS Sans Serif", 8, 380, 202,
    false,           kControls.data(),      kControls.size()};

}  // namespace

const DialogTemplate& BoneOptionsTemplate() {
    return kTemplate;
}

}  // namespace resources
