#pragma once
// The "Animation range" group shared by the bone, pose and course options dialogs: two
// sliders in frames, their numbers, a summary line and three buttons that pick a range.
#include <hostsdk/time.h>
#include <hostsdk/ui.h>

#include <string>

#include "frame/export_settings.h"

namespace frame {

// Summary text for a range of frames.
std::string RangeSummary(int startFrame, int endFrame);

// Sets both sliders to the frames of start..end and shows the texts.
void InitRangeControls(WindowHandle dialog, TimeValue start, TimeValue end, int ticksPerFrame);
// Shows the slider positions, the summary, and enables OK only while end >= start.
void UpdateRangeTexts(WindowHandle dialog);
// Enables or disables the sliders, their numbers, the summary and the frame buttons.
void EnableRangeControls(WindowHandle dialog, bool enable);
// Handles the "First frame", "Current frame" and "All frames" buttons; false for other ids.
bool HandleRangeButton(WindowHandle dialog, int id, int ticksPerFrame);
// The range the sliders show, in ticks.
void ReadRange(WindowHandle dialog, int ticksPerFrame, TimeValue& start, TimeValue& end);
// Shows the invalid-range message and returns false when end < start.
bool CheckRange(WindowHandle dialog, TimeValue start, TimeValue end);

// What OK takes from the controls both options dialogs share: the scale factor field, the
// rotation check box and the range sliders.
struct ScaleRotationRange {
    float scaleFactor = 1.0f;
    int rotate180 = 0;
    TimeValue start = 0, end = 0;
};
// Checks the scale factor, then the range, as OK does; false after the dialog's message.
bool ReadScaleRotationRange(WindowHandle dialog, int ticksPerFrame, ScaleRotationRange& read);
// Copies what ReadScaleRotationRange read into the settings.
void TakeScaleRotationRange(const ScaleRotationRange& read, ExportSettings& settings);

}  // namespace frame
