#pragma once
// The Pose exporter: the one Physique-skinned character at the host's current time as a .POS
// file (skeleton, texture list, triangles, vertices, vertex weights), and on request its
// textures as Targa files beside it.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"
#include "frame/export_settings.h"
#include "frame/text_output.h"
#include "skeleton/bone_walk.h"
#include "skeleton/physique_model.h"
#include "skeleton/texture_table.h"

namespace skeleton {

// Whether the transform turns space inside out (its axes form a left-handed set).
bool IsMirrored(const Matrix3& tm);

class PoseExporter : public frame::FixedTextExporter {
  public:
    PoseExporter();
    ~PoseExporter() override;

    // 1 when the file was written or the options dialog was cancelled; 0 when the file could not
    // be created or written, the export failed or was cancelled (no .POS file is left then).
    int DoExport(const char* name, ExportSceneInterface* scene, HostInterface* host,
                 bool suppressPrompts) override;

  private:
    // The sections of the file, into the open output; false when the export failed.
    bool WriteFile(HostInterface& host, const frame::ExportSettings& settings, BoneWalk& walk,
                   TextureTable& textures);
    // The bone walk of one pass; false stops it and fails the export.
    bool TraversePoseNodes(BoneWalk& walk, SceneNode* root);
    bool VisitPoseNode(BoneWalk& walk, SceneNode& node);

    // Mesh sections (pose_mesh_sections.cpp).
    bool CountTriangles(TextureTable& textures);
    bool WriteTextureList(const TextureTable& textures);
    bool WriteTriangleList(const TextureTable& textures);
    bool WriteVertexList(const frame::ExportSettings& settings);

    frame::TextFileWriter out_;
    const frame::ExportSettings* settings_ = nullptr;  // of the export under way
    TimeValue exportTime_ = 0;
    SkinnedModel skin_;
    int vertexCount_ = 0;
    int faceCount_ = 0;
    int triCount_ = 0;
};

}  // namespace skeleton
