#include "skeleton/bone_walk.h"

#include "frame/text_output.h"

namespace skeleton {

void BoneWalk::StartPass(Pass pass) {
    pass_ = pass;
    boneIndex_ = 0;
    if (pass == Pass::Count) {
        boneCount_ = 0;
        names_.Clear();
        countedNodes_.clear();
    }
}

std::string BoneWalk::BoneListLine(SceneNode& node, const std::string& name) const {
    return "\"" + name + "\", " + std::to_string(FindBoneIndex(names_, node.GetParentNode())) +
           frame::kLineEnd;
}

}  // namespace skeleton
