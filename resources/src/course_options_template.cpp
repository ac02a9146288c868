// The "Course Export Options" dialog of ravelpath.dle. The scale and rotation controls are
// hidden but still carry their values through the dialog.
#include <array>

#include "range_group.h"
#include "resources/ravelpath_resources.h"

namespace resources {

namespace {

constexpr std::array<ControlTemplate, 6> kNodeAndOptions{{
    {kNoId, ControlKind::GroupBox, "Node name to export", 7, 7, 176, 38, 0},
    {kIdcNodeName, ControlKind::Edit, "", 13, 19, 164, 14, 0},
    {kNoId, ControlKind::GroupBox, "Options", 7, 54, 176, 65, kStyleHidden},
    {kNoId, ControlKind::Static, "Scale factor:", 17, 75, 41, 8, kStyleHidden},
    {kIdcScaleFactor, ControlKind::Edit, "", 69, 72, 40, 14, kStyleHidden | kStyleFloatEdit},
    {kIdcRotate180, ControlKind::AutoCheckBox, "Rotate horizontally 180 degrees", 15, 96, 115, 10,
     kStyleHidden},
}};

constexpr std::array<ControlTemplate, 2> kButtons{{
    {kIdOk, ControlKind::DefPushButton, "OK", 258, 170, 50, 14, 0},
    {kIdCancel, ControlKind::PushButton, "Cancel", 323, 170, 50, 14, 0},
}};

constexpr auto kControls =
    JoinControls(JoinControls(kNodeAndOptions, kRangeGroupControls), kButtons);

constexpr DialogTemplate kTemplate{
    kDlgCourseOptions, "Course Export Options", "MS Sans Serif", 8, 380, 191, false,
    kControls.data(),  kControls.size()};

}  // namespace

const DialogTemplate& CourseOptionsTemplate() {
    return kTemplate;
}

}  // namespace resources
