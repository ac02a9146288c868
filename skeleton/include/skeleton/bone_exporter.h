#pragma once
// The Bone exporter: the animated skeleton of the scene over a frame range as a .BON file.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"
#include "frame/text_output.h"

class BoneExporter : public FixedTextExporter {
  public:
    BoneExporter();
    ~BoneExporter() override;

    // 1 when the file was written or the options dialog was cancelled; 0 when the file could not
    // be created or written, or the export was stopped (no file is left behind then).
    int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                 bool suppressPrompts) override;

  private:
    enum class Pass { Count, Linkage, Matrices };

    // Runs the three passes into the open file; false when one was stopped.
    bool WriteFile(HostInterface* host);
    // Depth first, parents before children; false stops the walk.
    bool Walk(HostInterface* host, SceneNode* node);
    bool Visit(HostInterface* host, SceneNode* node);

    TextFileWriter out_;
    Pass pass_ = Pass::Count;
    int boneIndex_ = 0;
    int boneCount_ = 0;
    int frameCount_ = 0;
    TimeValue currentTime_ = 0;
    std::string matrixLines_;  // reused buffer for one bone's four lines
};
