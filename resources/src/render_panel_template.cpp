// The "Lumenpass" page of the render utility in the host's command panel. The indentation of
// the check boxes shows which option depends on which.
#include <array>

#include "resources/lumenpass_resources.h"
#include "resources/resource_ids.h"

namespace resources {

namespace {

constexpr unsigned kScrollingEdit = kStyleBorder | kStyleHScroll;

constexpr std::array<ControlTemplate, 17> kControls{{
    {kNoId, ControlKind::Static, "Output Path :", 4, 5, 43, 8, 0},
    {kIdcOutputPath, ControlKind::Edit, "", 4, 15, 100, 12, kScrollingEdit},
    {kIdcBrowse, ControlKind::PushButton, "Browse", 58, 29, 46, 12, 0},
    {kNoId, ControlKind::GroupBox, "Render Options", 4, 44, 100, 91, 0},
    {kIdcOutputRawAct, ControlKind::AutoCheckBox, "Output raw/act files", 11, 57, 78, 10, 0},
    {kIdcKeepTgas, ControlKind::AutoCheckBox, "Keep 24-bit TGAs", 21, 68, 72, 10, 0},
    {kIdcUseRawsmith, ControlKind::AutoCheckBox, "Use RAWSMITH", 21, 81, 67, 10, 0},
    {kIdcPreviewMode, ControlKind::AutoCheckBox, "Preview mode", 31, 95, 65, 10, 0},
    {kIdcSkipHidden, ControlKind::AutoCheckBox, "Skip hidden cameras", 11, 107, 82, 10, 0},
    {kIdcPanningCamera, ControlKind::AutoCheckBox, "Panning camera", 11, 121, 67, 10, 0},
    {kNoId, ControlKind::GroupBox, "Output Size", 4, 138, 100, 47, 0},
    {kNoId, ControlKind::Static, "Width:", 10, 151, 22, 8, 0},
    {kIdcWidth, ControlKind::Edit, "", 38, 148, 40, 14, kScrollingEdit},
    {kNoId, ControlKind::Static, "Height:", 10, 168, 24, 8, 0},
    {kIdcHeight, ControlKind::Edit, "", 38, 165, 40, 14, kScrollingEdit},
    {kIdcGoForIt, ControlKind::PushButton, "Go for it!", 20, 191, 67, 18, 0},
    // The picture names its bitmap resource by number, as a resource script does.
    {kNoId, ControlKind::Picture, "105", 32, 213, 43, 39, 0},
}};

constexpr DialogTemplate kTemplate{
    kDlgRenderPanel,  "Lumenpass",     "MS Sans Serif", 8, 108, 258, true,
    kControls.data(), kControls.size()};

}  // namespace

const DialogTemplate& RenderPanelTemplate() {
    return kTemplate;
}

}  // namespace resources
