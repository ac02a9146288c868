#include "range_controls.h"

#include "dialog_support.h"
#include "frame/plugin_state.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace resources;

namespace {

void MoveSliders(WindowHandle dialog, TimeValue start, TimeValue end, int ticksPerFrame) {
    SliderSetPos(GetDlgItem(dialog, kIdcStartSlider), start / ticksPerFrame);
    SliderSetPos(GetDlgItem(dialog, kIdcEndSlider), end / ticksPerFrame);
    UpdateRangeTexts(dialog);
}

}  // namespace

std::string RangeSummary(int startFrame, int endFrame) {
    if (endFrame < startFrame) return "The animation range is not valid.";
    if (endFrame == startFrame) return "Export only frame " + std::to_string(startFrame);
    return "Export frames " + std::to_string(startFrame) + "..." + std::to_string(endFrame) + " (" +
           std::to_string(static_cast<long long>(endFrame) - startFrame + 1) + " total frames)";
}

void InitRangeControls(WindowHandle dialog, TimeValue start, TimeValue end, int ticksPerFrame) {
    for (int id : {kIdcStartSlider, kIdcEndSlider})
        SliderSetRange(GetDlgItem(dialog, id), start / ticksPerFrame, end / ticksPerFrame);
    MoveSliders(dialog, start, end, ticksPerFrame);
}

void UpdateRangeTexts(WindowHandle dialog) {
    const int start = SliderGetPos(GetDlgItem(dialog, kIdcStartSlider));
    const int end = SliderGetPos(GetDlgItem(dialog, kIdcEndSlider));
    SetDlgItemText(dialog, kIdcStartNumber, std::to_string(start));
    SetDlgItemText(dialog, kIdcEndNumber, std::to_string(end));
    SetDlgItemText(dialog, kIdcRangeSummary, RangeSummary(start, end));
    EnableItem(dialog, kIdOk, end >= start);
}

void EnableRangeControls(WindowHandle dialog, bool enable) {
    for (int id : {kIdcStartSlider, kIdcStartNumber, kIdcEndSlider, kIdcEndNumber, kIdcRangeSummary,
                   kIdcFirstFrame, kIdcCurrentFrame, kIdcAllFrames})
        EnableItem(dialog, id, enable);
}

bool HandleRangeButton(WindowHandle dialog, int id, int ticksPerFrame) {
    if (id != kIdcFirstFrame && id != kIdcCurrentFrame && id != kIdcAllFrames) return false;
    HostInterface* host = LibraryHost();
    if (!host) return true;
    const Interval range = host->GetAnimRange();
    TimeValue start = range.start, end = range.end;
    if (id == kIdcFirstFrame) end = start;
    if (id == kIdcCurrentFrame) start = end = host->GetTime();
    MoveSliders(dialog, start, end, ticksPerFrame);
    return true;
}

void ReadRange(WindowHandle dialog, int ticksPerFrame, TimeValue& start, TimeValue& end) {
    start = SliderGetPos(GetDlgItem(dialog, kIdcStartSlider)) * ticksPerFrame;
    end = SliderGetPos(GetDlgItem(dialog, kIdcEndSlider)) * ticksPerFrame;
}

bool CheckRange(WindowHandle dialog, TimeValue start, TimeValue end) {
    if (end >= start) return true;
    ShowDialogMessage(dialog,
                      "Animation range is invalid.  End frame cannot be before start frame.");
    return false;
}

bool ReadScaleRotationRange(WindowHandle dialog, int ticksPerFrame, ScaleRotationRange& read) {
    if (!ReadScaleField(dialog, kIdcScaleFactor, read.scaleFactor)) return false;
    ReadRange(dialog, ticksPerFrame, read.start, read.end);
    if (!CheckRange(dialog, read.start, read.end)) return false;
    read.rotate180 = IsDlgButtonChecked(dialog, kIdcRotate180) ? 1 : 0;
    return true;
}

void TakeScaleRotationRange(const ScaleRotationRange& read, ExportSettings& settings) {
    settings.scaleFactor = read.scaleFactor;
    settings.rotate180 = read.rotate180;
    settings.rangeStart = read.start;
    settings.rangeEnd = read.end;
}

}  // namespace frame
