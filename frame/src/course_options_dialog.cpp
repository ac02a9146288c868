// "Course Export Options": the node to export and the frame range. The scale factor and the
// rotation sit in hidden controls, so the values of ravelpath.ini pass through unchanged (and
// the scale factor is still checked on OK).
#include <utility>

#include "dialog_support.h"
#include "frame/export_settings.h"
#include "frame/options_dialog.h"
#include "frame/plugin_state.h"
#include "range_controls.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace resources;

namespace {

void InitDialog(WindowHandle dialog, const ExportSettings& s) {
    SetDlgItemText(dialog, kIdcNodeName, s.nodeName);
    SetDlgItemText(dialog, kIdcScaleFactor, ScaleFieldText(s.scaleFactor));
    CheckDlgButton(dialog, kIdcRotate180, s.rotate180 != 0);
    InitRangeControls(dialog, s.rangeStart, s.rangeEnd, s.ticksPerFrame);
}

void Confirm(WindowHandle dialog, ExportSettings& s) {
    ScaleRotationRange read;
    if (!ReadScaleRotationRange(dialog, s.ticksPerFrame, read)) return;
    s.nodeName = GetDlgItemText(dialog, kIdcNodeName);
    TakeScaleRotationRange(read, s);
    EndDialog(dialog, 1);
}

}  // namespace

intptr_t CourseOptionsProc(WindowHandle dialog, unsigned message, WParam wp, LParam lp) {
    if (message == kMsgInitDialog) {
        SetWindowUserData(dialog, lp);
        InitDialog(dialog, *reinterpret_cast<ExportSettings*>(lp));
        return 1;
    }
    ExportSettings* data = DialogData<ExportSettings>(dialog);
    if (!data) return 0;
    switch (message) {
        case kMsgHScroll:
            UpdateRangeTexts(dialog);
            return 1;
        case kMsgClose:
            EndDialog(dialog, 0);
            return 1;
        case kMsgCommand:
            break;
        default:
            return 0;
    }
    const int id = CommandId(wp);
    if (CommandCode(wp) != kNotifyClicked) return 1;
    if (HandleRangeButton(dialog, id, data->ticksPerFrame)) return 1;
    if (id == kIdOk) Confirm(dialog, *data);
    if (id == kIdCancel) EndDialog(dialog, 0);
    return 1;
}

DialogOutcome RunCourseOptionsDialog(ExportSettings& settings) {
    ExportSettings data = settings;
    const intptr_t result = DialogBoxParam(LibraryModule(), kDlgCourseOptions, HostWindow(),
                                           &CourseOptionsProc, reinterpret_cast<LParam>(&data));
    if (result < 0) return DialogOutcome::Unavailable;
    if (result == 0) return DialogOutcome::Cancelled;
    settings = std::move(data);
    return DialogOutcome::Confirmed;
}

}  // namespace frame
