#pragma once
// The Course exporter: the placement of one named node over a frame range as a .CRS file.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"
#include "frame/text_output.h"

class CourseExporter : public FixedTextExporter {
  public:
    CourseExporter();

    // 1 when the file was written or the options dialog was cancelled; 0 when the node was not
    // found (after a message naming it), the search was cancelled, or the file could not be
    // created or written. No file is left behind when the result is 0.
    int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                 bool suppressPrompts) override;

  private:
    TextFileWriter out_;
};

// Frames from `start` to `end` inclusive at `ticksPerFrame`; 0 or less when end is before start.
int CourseFrameCount(TimeValue start, TimeValue end, int ticksPerFrame);

// Lines 1 to 5 of a .CRS file.
void WriteCourseHeader(TextFileWriter& out, int frameCount);
// One matrix per frame: the node's object transform at start, start + ticksPerFrame, ...
void WriteCourseMatrices(TextFileWriter& out, SceneNode& node, TimeValue start, int ticksPerFrame,
                         int frameCount);
