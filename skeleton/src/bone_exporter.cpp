#include "skeleton/bone_exporter.h"

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
#include "skeleton/quellstone_classes.h"

BoneExporter::BoneExporter() : FixedTextExporter(kBoneExporterTexts) {
    TheBoneNameList().Clear();
}

BoneExporter::~BoneExporter() {
    TheBoneNameList().Clear();
}

int BoneExporter::DoExport(const char* name, ExportSceneInterface*, HostInterface* host, bool) {
    if (!host || !name) return 0;
    const Interval range = host->GetAnimRange();
    BeginExport(*host, range.start, range.end);

    LoadBoneSettings();
    if (auto result = ResultAfterDialog(RunBoneOptionsDialog(BoneDialogVariant::Bone)))
        return *result;
    SaveBoneSettings();

    if (!out_.Open(name)) return 0;
    bool ok = WriteFile(host);
    host->ProgressEnd();
    ok = out_.Close() && ok;
    if (!ok) {
        out_.Discard();
        return 0;
    }
    return 1;
}

bool BoneExporter::WriteFile(HostInterface* host) {
    const ExportSettings& settings = LibrarySettings();
    const long long frames =
        (static_cast<long long>(settings.rangeEnd) - settings.rangeStart) / settings.ticksPerFrame +
        1;
    frameCount_ = static_cast<int>(frames);
    boneCount_ = 0;
    currentTime_ = settings.rangeStart;

    StartProgressPhase(*host, "Counting bones");
    pass_ = Pass::Count;
    boneIndex_ = 0;
    TheBoneNameList().Clear();
    const bool counted = Walk(host, host->GetRootNode());

    out_.WriteLine("// .BON version");
    out_.WriteLine("101");
    out_.WriteLine("// numBones,numFrames");
    out_.WriteLine(std::to_string(boneCount_) + "," + std::to_string(frameCount_));
    if (!counted) return false;

    StartProgressPhase(*host, "Exporting bone linkage");
    out_.WriteLine("// boneList: \"name\", parentindex");
    pass_ = Pass::Linkage;
    boneIndex_ = 0;
    if (!Walk(host, host->GetRootNode())) return false;

    StartProgressPhase(*host, "Exporting matrices");
    out_.WriteLine("// matrixList (4x3, each row on a seperate line)");
    for (int k = 0; k < frameCount_; ++k) {
        currentTime_ = static_cast<TimeValue>(settings.rangeStart +
                                              static_cast<long long>(k) * settings.ticksPerFrame);
        pass_ = Pass::Matrices;
        boneIndex_ = 0;
        if (!Walk(host, host->GetRootNode())) return false;
        if (frameCount_ > 1) host->ProgressUpdate(ProgressPercent(k + 1, frameCount_));
        // A full disk shows up here rather than at the close, hours of frames later.
        if (!out_.Good()) return false;
    }
    return out_.Good();
}

bool BoneExporter::Walk(HostInterface* host, SceneNode* node) {
    if (host->GetCancel()) return false;
    if (!node) return true;
    if (!Visit(host, node)) return false;
    for (int i = 0, n = node->NumberOfChildren(); i < n; ++i)
        if (!Walk(host, node->GetChildNode(i))) return false;
    return true;
}

bool BoneExporter::Visit(HostInterface* host, SceneNode* node) {
    if (LibrarySettings().ignoreHidden && node->IsNodeHidden()) return true;
    const std::string name = NodeName(*node);
    if (!IsBoneName(name)) return true;

    if (pass_ == Pass::Count) {
        ++boneCount_;
        TheBoneNameList().Append(name);
        return true;
    }
    if (pass_ == Pass::Linkage || frameCount_ == 1)
        host->ProgressUpdate(ProgressPercent(boneIndex_, boneCount_));
    // A pass that meets more bones than were counted (the scene changed) stops like a cancel.
    if (boneIndex_ >= boneCount_) return false;
    if (pass_ == Pass::Linkage) {
        out_.WriteLine("\"" + name + "\", " + std::to_string(FindBoneIndex(node->GetParentNode())));
    } else {
        matrixLines_.clear();
        AppendBoneMatrix(matrixLines_, node->GetNodeTM(currentTime_));
        out_.Write(matrixLines_);
    }
    ++boneIndex_;
    return true;
}
