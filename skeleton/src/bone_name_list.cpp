#include "skeleton/bone_name_list.h"

#include <hostsdk/scene.h>

namespace {
char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}
}  // namespace

int BoneNameList::Find(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (EqualIgnoringCase(names_[i], name)) return i;
    return -1;
}

BoneNameList& TheBoneNameList() {
    static BoneNameList list;
    return list;
}

int FindBoneIndex(SceneNode* parent) {
    if (!parent) return -1;
    const char* name = parent->GetName();
    if (!name) return -1;
    return TheBoneNameList().Find(name);
}
