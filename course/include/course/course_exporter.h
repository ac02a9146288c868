#pragma once
// The Course exporter: the placement of one named node over a frame range as a .CRS file.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"
#include "frame/export_settings.h"
#include "frame/text_output.h"

namespace course {

class CourseExporter : public frame::FixedTextExporter {
  public:
    CourseExporter();

    // 1 when the file was written or the options dialog was cancelled; 0 when the node was not
    // found (after a message naming it), the search was cancelled, or the file could not be
    // created or written. No file is left behind when the result is 0.
    int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                 bool suppressPrompts) override;

  private:
    frame::TextFileWriter out_;
};

// Frames from `start` to `end` inclusive at `ticksPerFrame`; 0 or less when end is before start.
int CourseFrameCount(TimeValue start, TimeValue end, int ticksPerFrame);

// Lines 1 to 5 of a .CRS file.
void WriteCourseHeader(frame::TextFileWriter& out, int frameCount);
// One matrix per frame: the node's object transform at the range start, one frame later, ...,
// converted with the settings' scale and rotation.
void WriteCourseMatrices(frame::TextFileWriter& out, SceneNode& node,
                         const frame::ExportSettings& settings, int frameCount);

}  // namespace course
