#include "skeleton/bone_name_list.h"

#include <hostsdk/scene.h>

#include "support/ascii.h"

namespace skeleton {

int BoneNameList::Find(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (support::EqualIgnoringCase(names_[i], name)) return i;
    return -1;
}

BoneNameList& TheBoneNameList() {
    static BoneNameList list;
    return list;
}

int FindBoneIndex(const BoneNameList& names, SceneNode* parent) {
    if (!parent) return -1;
    const char* name = parent->GetName();
    if (!name) return -1;
    return names.Find(name);
}

}  // namespace skeleton
