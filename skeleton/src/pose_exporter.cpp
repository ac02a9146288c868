#include "skeleton/pose_exporter.h"

#include <string>

#include "frame/export_flow.h"
#include "frame/export_progress.h"
#include "frame/options_dialog.h"
#include "frame/settings_file.h"
#include "skeleton/bone_matrix.h"
#include "skeleton/output_location.h"
#include "skeleton/pose_messages.h"
#include "skeleton/quellstone_classes.h"
#include "skeleton/texture_export.h"

namespace skeleton {

using frame::ExportSettings;

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
    // The library's process-wide records, handed down from here.
    ExportSettings& settings = frame::LibrarySettings();
    BoneNameList& names = TheBoneNameList();
    TextureTable& textures = TheTextureTable();
    OutputLocation& location = PoseOutputLocation();

    exportTime_ = host->GetTime();
    frame::BeginExport(*host, settings, exportTime_, exportTime_);
    location = SplitOutputLocation(name);
    frame::LoadBoneSettings(settings);
    if (auto result = frame::ResultAfterDialog(frame::RunBoneOptionsDialog(
            settings, frame::BoneDialogVariant::Pose, location.Folder())))
        return *result;
    frame::SaveBoneSettings(settings);

    if (!out_.Open(name)) return 0;
    BoneWalk walk(*host, settings, names);
    settings_ = &settings;
    bool ok = WriteFile(*host, settings, walk, textures);
    settings_ = nullptr;
    // Textures only follow a complete .POS file; a write error has already failed the export.
    ok = ok && out_.Good();
    if (ok && settings.exportTextures) ok = ExportTextures(*host, textures, location);
    host->ProgressEnd();
    skin_.ReleaseMesh();
    return out_.Finish(ok) ? 1 : 0;
}

bool PoseExporter::WriteFile(HostInterface& host, const ExportSettings& settings, BoneWalk& walk,
                             TextureTable& textures) {
    using Pass = BoneWalk::Pass;
    SceneNode* root = host.GetRootNode();
    frame::StartProgressPhase(host, "Counting bones");
    skin_.ReleaseMesh();
    skin_ = SkinnedModel{};
    walk.StartPass(Pass::Count);
    // Entries left by an earlier export through the same object would shift every index.
    textures.Clear();
    if (!TraversePoseNodes(walk, root)) return false;
    if (!skin_.skinNode || !skin_.skinContext || !skin_.skinMesh) {
        ShowError("Can't find physiqued model!");
        return false;
    }

    out_.WriteLine("// .POS version");
    out_.WriteLine(std::to_string(frame::kExporterVersion));
    out_.WriteLine("// numBones,numFrames(always 1)");
    out_.WriteLine(std::to_string(walk.BoneCount()) + ",1");

    frame::StartProgressPhase(host, "Exporting bone linkage");
    out_.WriteLine("// boneList: \"name\", parentindex");
    walk.StartPass(Pass::BoneList);
    if (!TraversePoseNodes(walk, root)) return false;

    frame::StartProgressPhase(host, "Exporting matrices");
    out_.WriteLine("// matrixList (4x3, each row on a seperate line)");
    walk.StartPass(Pass::MatrixList);
    if (!TraversePoseNodes(walk, root)) return false;

    const TriangleMesh& mesh = skin_.skinMesh->GetMesh();
    vertexCount_ = mesh.VertexCount();
    faceCount_ = mesh.FaceCount();
    CountTriangles(textures);
    out_.WriteLine("// textureCount, vertexCount, triCount");
    out_.WriteLine(std::to_string(textures.Count()) + ", " + std::to_string(vertexCount_) + ", " +
                   std::to_string(triCount_));

    frame::StartProgressPhase(host, "Exporting texture list");
    WriteTextureList(textures);
    frame::StartProgressPhase(host, "Exporting polygons");
    if (!WriteTriangleList(textures)) return false;
    frame::StartProgressPhase(host, "Exporting vertices");
    WriteVertexList(settings);
    frame::StartProgressPhase(host, "Exporting physique vertex weights");
    WriteVertexWeights(vertexCount_, out_);
    return true;
}

bool PoseExporter::TraversePoseNodes(BoneWalk& walk, SceneNode* root) {
    return walk.Walk(root, [&](SceneNode& node) { return VisitPoseNode(walk, node); });
}

bool PoseExporter::VisitPoseNode(BoneWalk& walk, SceneNode& node) {
    using Pass = BoneWalk::Pass;
    // Every visited node may be the skinned model, whatever its name.
    if (walk.CurrentPass() == Pass::Count && !TestSkinnedModel(&node, exportTime_, skin_))
        return false;
    return walk.Bone(node, true, [&](SceneNode& bone, const std::string& name) {
        if (walk.CurrentPass() == Pass::BoneList)
            out_.Write(walk.BoneListLine(bone, name));
        else
            WriteBoneMatrix(bone.GetNodeTM(exportTime_), *settings_, out_);
    });
}

}  // namespace skeleton
