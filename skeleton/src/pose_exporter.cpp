#include "skeleton/pose_exporter.h"

#include <string>

#include "frame/export_flow.h"
#include "frame/export_progress.h"
#include "frame/export_settings.h"
#include "frame/options_dialog.h"
#include "frame/plugin_state.h"
#include "frame/settings_file.h"
#include "skeleton/bone_matrix.h"
#include "skeleton/bone_name_list.h"
#include "skeleton/bone_rules.h"
#include "skeleton/output_location.h"
#include "skeleton/pose_messages.h"
#include "skeleton/quellstone_classes.h"
#include "skeleton/texture_export.h"
#include "skeleton/texture_table.h"

PoseExporter::PoseExporter() : FixedTextExporter(kPoseExporterTexts) {
    TheTextureTable().Clear();
    TheBoneNameList().Clear();
}

PoseExporter::~PoseExporter() {
    skin_.ReleaseMesh();
    TheTextureTable().Clear();
    TheBoneNameList().Clear();
}

int PoseExporter::DoExport(const char* name, ExportSceneInterface*, HostInterface* host, bool) {
    if (!host || !name) return 0;
    exportTime_ = host->GetTime();
    const ExportSettings& settings = BeginExport(*host, exportTime_, exportTime_);
    PoseOutputLocation() = SplitOutputLocation(name);

    LoadBoneSettings();
    if (auto result = ResultAfterDialog(
            RunBoneOptionsDialog(BoneDialogVariant::Pose, PoseOutputLocation().Folder())))
        return *result;
    SaveBoneSettings();

    if (!out_.Open(name)) return 0;
    bool ok = WriteFile(host);
    // Textures only follow a complete .POS file; a write error has already failed the export.
    ok = ok && out_.Good();
    if (ok && settings.exportTextures) ok = ExportTextures(host);
    host->ProgressEnd();
    skin_.ReleaseMesh();
    ok = out_.Close() && ok;
    if (!ok) {
        out_.Discard();
        return 0;
    }
    return 1;
}

bool PoseExporter::WriteFile(HostInterface* host) {
    StartProgressPhase(*host, "Counting bones");
    boneIndex_ = 0;
    boneCount_ = 0;
    skin_.ReleaseMesh();
    skin_ = SkinnedModel{};
    pass_ = Pass::Count;
    TheBoneNameList().Clear();
    // Entries left by an earlier export through the same object would shift every index.
    TheTextureTable().Clear();
    if (!TraversePoseNodes(host, host->GetRootNode())) return false;
    if (!skin_.skinNode || !skin_.skinContext || !skin_.skinMesh) {
        ShowError("Can't find physiqued model!");
        return false;
    }

    out_.WriteLine("// .POS version");
    out_.WriteLine(std::to_string(kExporterVersion));
    out_.WriteLine("// numBones,numFrames(always 1)");
    out_.WriteLine(std::to_string(boneCount_) + ",1");

    StartProgressPhase(*host, "Exporting bone linkage");
    out_.WriteLine("// boneList: \"name\", parentindex");
    boneIndex_ = 0;
    pass_ = Pass::BoneList;
    if (!TraversePoseNodes(host, host->GetRootNode())) return false;

    StartProgressPhase(*host, "Exporting matrices");
    out_.WriteLine("// matrixList (4x3, each row on a seperate line)");
    boneIndex_ = 0;
    pass_ = Pass::MatrixList;
    if (!TraversePoseNodes(host, host->GetRootNode())) return false;

    const TriangleMesh& mesh = skin_.skinMesh->GetMesh();
    vertexCount_ = mesh.VertexCount();
    faceCount_ = mesh.FaceCount();
    CountTriangles();
    out_.WriteLine("// textureCount, vertexCount, triCount");
    out_.WriteLine(std::to_string(TheTextureTable().Count()) + ", " + std::to_string(vertexCount_) +
                   ", " + std::to_string(triCount_));

    StartProgressPhase(*host, "Exporting texture list");
    WriteTextureList();
    StartProgressPhase(*host, "Exporting polygons");
    if (!WriteTriangleList()) return false;
    StartProgressPhase(*host, "Exporting vertices");
    WriteVertexList();
    StartProgressPhase(*host, "Exporting physique vertex weights");
    WriteVertexWeights(vertexCount_, out_);
    return true;
}

bool PoseExporter::TraversePoseNodes(HostInterface* host, SceneNode* node) {
    if (host->GetCancel()) return false;
    if (!node) return true;
    if (!VisitPoseNode(host, node)) return false;
    for (int i = 0, n = node->NumberOfChildren(); i < n; ++i)
        if (!TraversePoseNodes(host, node->GetChildNode(i))) return false;
    return true;
}

bool PoseExporter::VisitPoseNode(HostInterface* host, SceneNode* node) {
    if (LibrarySettings().ignoreHidden && node->IsNodeHidden()) return true;
    // Every visited node may be the skinned model, whatever its name.
    if (pass_ == Pass::Count && !TestSkinnedModel(node, exportTime_, skin_)) return false;
    const std::string name = NodeName(*node);
    if (!IsBoneName(name)) return true;

    if (pass_ == Pass::Count) {
        ++boneCount_;
        TheBoneNameList().Append(name);
        return true;
    }
    host->ProgressUpdate(ProgressPercent(boneIndex_, boneCount_));
    // A pass that meets more bones than were counted (the scene changed) fails the export.
    if (boneIndex_ >= boneCount_) return false;
    if (pass_ == Pass::BoneList) {
        out_.WriteLine("\"" + name + "\", " + std::to_string(FindBoneIndex(node->GetParentNode())));
    } else {
        WriteBoneMatrix(node->GetNodeTM(exportTime_), out_);
    }
    ++boneIndex_;
    return true;
}
