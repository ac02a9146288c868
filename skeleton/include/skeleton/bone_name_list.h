#pragma once
// The names of the bones found by the last counting pass, in walk order; the parent lookup of
// the bone lists reads it.
#include <string>
#include <string_view>
#include <vector>

class SceneNode;

namespace skeleton {

class BoneNameList {
  public:
    void Clear() { names_.clear(); }
    void Append(std::string name) { names_.push_back(std::move(name)); }
    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& operator[](int index) const { return names_[index]; }
    // Index of the first name equal to `name` ignoring ASCII case, or -1.
    int Find(std::string_view name) const;

  private:
    std::vector<std::string> names_;
};

// The library's process-wide list.
BoneNameList& TheBoneNameList();

// The parent index written for a bone: -1 when there is no parent node or it has no name,
// otherwise the first list entry equal to the parent's name ignoring case, or -1. A bone below
// a non-bone node therefore gets -1 even when a grandparent is a bone.
int FindBoneIndex(const BoneNameList& names, SceneNode* parent);

}  // namespace skeleton
