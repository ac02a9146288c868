#pragma once
// The Pose exporter: the one Physique-skinned character at the host's current time as a .POS
// file (skeleton, texture list, triangles, vertices, vertex weights), and on request its
// textures as Targa files beside it.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"
#include "frame/text_output.h"
#include "skeleton/physique_model.h"

// Whether the transform turns space inside out (its axes form a left-handed set).
bool IsMirrored(const Matrix3& tm);

class PoseExporter : public FixedTextExporter {
  public:
    PoseExporter();
    ~PoseExporter() override;

    // 1 when the file was written or the options dialog was cancelled; 0 when the file could not
    // be created or written, the export failed or was cancelled (no .POS file is left then).
    int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                 bool suppressPrompts) override;

  private:
    enum class Pass { Count, BoneList, MatrixList };

    // The sections of the file, into the open output; false when the export failed.
    bool WriteFile(HostInterface* host);
    // Depth first, parents before children; false stops the walk and fails the export.
    bool TraversePoseNodes(HostInterface* host, SceneNode* node);
    bool VisitPoseNode(HostInterface* host, SceneNode* node);

    // Mesh sections (pose_mesh_sections.cpp).
    bool CountTriangles();
    bool WriteTextureList();
    bool WriteTriangleList();
    bool WriteVertexList();

    TextFileWriter out_;
    Pass pass_ = Pass::Count;
    int boneIndex_ = 0;
    int boneCount_ = 0;
    TimeValue exportTime_ = 0;
    SkinnedModel skin_;
    int vertexCount_ = 0;
    int faceCount_ = 0;
    int triCount_ = 0;
};
