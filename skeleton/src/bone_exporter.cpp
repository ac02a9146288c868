#include "skeleton/bone_exporter.h"

#include <string>

#include "frame/export_flow.h"
#include "frame/export_progress.h"
#include "frame/options_dialog.h"
#include "frame/settings_file.h"
#include "skeleton/bone_matrix.h"
#include "skeleton/matrix_text_writer.h"
#include "skeleton/quellstone_classes.h"

namespace skeleton {

using frame::ExportSettings;

BoneExporter::BoneExporter() : FixedTextExporter(kBoneExporterTexts) {
    TheBoneNameList().Clear();
}

BoneExporter::~BoneExporter() {
    TheBoneNameList().Clear();
}

int BoneExporter::DoExport(const char* name, ExportSceneInterface*, HostInterface* host, bool) {
    if (!host || !name) return 0;
    // The library's process-wide records, handed down from here.
    ExportSettings& settings = frame::LibrarySettings();
    BoneNameList& names = TheBoneNameList();

    const Interval range = host->GetAnimRange();
    frame::BeginExport(*host, settings, range.start, range.end);
    frame::LoadBoneSettings(settings);
    if (auto result = frame::ResultAfterDialog(
            frame::RunBoneOptionsDialog(settings, frame::BoneDialogVariant::Bone)))
        return *result;
    frame::SaveBoneSettings(settings);

    if (!out_.Open(name)) return 0;
    BoneWalk walk(*host, settings, names);
    bool ok = WriteFile(*host, settings, walk);
    host->ProgressEnd();
    return out_.Finish(ok) ? 1 : 0;
}

bool BoneExporter::WriteFile(HostInterface& host, const ExportSettings& settings, BoneWalk& walk) {
    using Pass = BoneWalk::Pass;
    const long long frames =
        (static_cast<long long>(settings.rangeEnd) - settings.rangeStart) / settings.ticksPerFrame +
        1;
    const int frameCount = static_cast<int>(frames);
    SceneNode* root = host.GetRootNode();
    auto nothing = [](SceneNode&, const std::string&) {};

    frame::StartProgressPhase(host, "Counting bones");
    walk.StartPass(Pass::Count);
    const bool counted =
        walk.Walk(root, [&](SceneNode& node) { return walk.Bone(node, false, nothing); });

    out_.WriteLine("// .BON version");
    out_.WriteLine("101");
    out_.WriteLine("// numBones,numFrames");
    out_.WriteLine(std::to_string(walk.BoneCount()) + "," + std::to_string(frameCount));
    if (!counted) return false;

    frame::StartProgressPhase(host, "Exporting bone linkage");
    out_.WriteLine("// boneList: \"name\", parentindex");
    walk.StartPass(Pass::BoneList);
    auto writeLink = [&](SceneNode& node, const std::string& name) {
        out_.Write(walk.BoneListLine(node, name));
    };
    if (!walk.Walk(root, [&](SceneNode& node) { return walk.Bone(node, true, writeLink); }))
        return false;

    frame::StartProgressPhase(host, "Exporting matrices");
    out_.WriteLine("// matrixList (4x3, each row on a seperate line)");
    TimeValue time = settings.rangeStart;
    // The matrices go to the writer's thread, which makes their text and writes it while this
    // one evaluates the next frames.
    MatrixTextWriter writer(out_, settings);
    auto takeMatrix = [&](SceneNode& node, const std::string&) {
        writer.Matrices().push_back(node.GetNodeTM(time));
    };
    // With one frame the progress follows the bones; otherwise it follows the frames.
    const bool progressPerBone = frameCount == 1;
    for (int k = 0; k < frameCount; ++k) {
        time = static_cast<TimeValue>(settings.rangeStart +
                                      static_cast<long long>(k) * settings.ticksPerFrame);
        walk.StartPass(Pass::MatrixList);
        if (!walk.Walk(root, [&](SceneNode& node) {
                return walk.Bone(node, progressPerBone, takeMatrix);
            }))
            return false;
        writer.EndFrame();
        if (frameCount > 1) host.ProgressUpdate(frame::ProgressPercent(k + 1, frameCount));
        // A full disk shows up here rather than at the close, hours of frames later.
        if (writer.Failed()) return false;
    }
    if (!writer.Finish()) return false;
    return out_.Good();
}

}  // namespace skeleton
