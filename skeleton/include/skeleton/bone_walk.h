#pragma once
// The bone passes the Bone and Pose exporters share: a depth-first walk of the scene that passes
// over hidden nodes when the settings say so, tells bones from other nodes by the rules, counts
// and lists the bones in a first pass and hands them, in the same order, to the writing passes.
#include <hostsdk/host.h>

#include <string>
#include <vector>

#include "frame/export_progress.h"
#include "frame/export_settings.h"
#include "skeleton/bone_name_list.h"
#include "skeleton/bone_rules.h"

namespace skeleton {

class BoneWalk {
  public:
    enum class Pass { Count, BoneList, MatrixList };

    // The walk works on the export's settings and fills the library's bone name list; both
    // outlive it.
    BoneWalk(HostInterface& host, const frame::ExportSettings& settings, BoneNameList& names)
        : host_(host), settings_(settings), names_(names) {}

    // Starts a pass at the first bone; the counting pass also forgets the bones counted before.
    void StartPass(Pass pass);
    Pass CurrentPass() const { return pass_; }
    int BoneCount() const { return boneCount_; }
    const BoneNameList& Names() const { return names_; }

    // Walks from `node` depth first, parents before children, children in index order, polling
    // the host's cancel flag before every node. `visit(node)` sees every node but a hidden one
    // while hidden nodes are ignored (its children are still walked). A cancel, or false from
    // `visit`, stops the walk and gives false.
    template <class Visit>
    bool Walk(SceneNode* node, Visit&& visit) {
        if (host_.GetCancel()) return false;
        if (!node) return true;
        if (!(settings_.ignoreHidden && node->IsNodeHidden()) && !visit(*node)) return false;
        for (int i = 0, n = node->NumberOfChildren(); i < n; ++i)
            if (!Walk(node->GetChildNode(i), visit)) return false;
        return true;
    }

    // The bone step of a visit; a node the rules do not make a bone is passed over (true).
    // Counting: counts the bone and lists its name. Writing: shows the progress over the bones
    // when `showProgress`, stops (false) when the pass meets more bones than were counted (the
    // scene changed), otherwise calls `write(node, name)` and moves on to the next bone.
    template <class Write>
    bool Bone(SceneNode& node, bool showProgress, Write&& write) {
        // The node the counting pass found at this place is that bone again, under the name it
        // had then: the rules need not be run on every node at every frame.
        const bool counted = pass_ != Pass::Count && boneIndex_ < boneCount_ &&
                             countedNodes_[static_cast<size_t>(boneIndex_)] == &node;
        std::string name;
        if (!counted) {
            name = frame::NodeName(node);
            if (!IsBoneName(settings_.rules, name)) return true;
        }
        if (pass_ == Pass::Count) {
            ++boneCount_;
            names_.Append(std::move(name));
            countedNodes_.push_back(&node);
            return true;
        }
        if (showProgress) host_.ProgressUpdate(frame::ProgressPercent(boneIndex_, boneCount_));
        if (boneIndex_ >= boneCount_) return false;
        write(node, counted ? names_[boneIndex_] : name);
        ++boneIndex_;
        return true;
    }

    // The bone list line of a bone: its name in quotes and its parent's bone index.
    std::string BoneListLine(SceneNode& node, const std::string& name) const;

  private:
    HostInterface& host_;
    const frame::ExportSettings& settings_;
    BoneNameList& names_;
    std::vector<SceneNode*> countedNodes_;  // the bones of the counting pass, in walk order
    Pass pass_ = Pass::Count;
    int boneIndex_ = 0;
    int boneCount_ = 0;
};

}  // namespace skeleton
