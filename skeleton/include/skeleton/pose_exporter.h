#pragma once
// The Pose exporter: one skinned character at the current time as a .POS file.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"

class PoseExporter : public FixedTextExporter {
  public:
    PoseExporter();
    ~PoseExporter() override;

    // Not written yet: says so in a message box and returns 0 without writing a file.
    int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                 bool suppressPrompts) override;
};
