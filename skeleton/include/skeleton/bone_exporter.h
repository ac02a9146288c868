#pragma once
// The Bone exporter: the animated skeleton of the scene over a frame range as a .BON file.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"
#include "frame/export_settings.h"
#include "frame/text_output.h"
#include "skeleton/bone_walk.h"

namespace skeleton {

class BoneExporter : public frame::FixedTextExporter {
  public:
    BoneExporter();
    ~BoneExporter() override;

    // 1 when the file was written or the options dialog was cancelled; 0 when the file could not
    // be created or written, or the export was stopped (no file is left behind then).
    int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                 bool suppressPrompts) override;

  private:
    // Runs the three passes into the open file; false when one was stopped.
    bool WriteFile(HostInterface& host, const frame::ExportSettings& settings, BoneWalk& walk);

    frame::TextFileWriter out_;
};

}  // namespace skeleton
