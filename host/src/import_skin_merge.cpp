// A character split into several meshes bound to one skeleton, merged into one skinned node:
// the exporters take one skinned model per scene.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

#include "import_internal.h"

namespace plughost::import {

namespace {

// Groups of meshes, joined whenever two share a bone node.
class Groups {
  public:
    explicit Groups(size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), size_t{0});
    }
    size_t Root(size_t i) {
        while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    // The group keeps the smaller index as its root: the first mesh in depth-first order.
    void Join(size_t a, size_t b) {
        a = Root(a);
        b = Root(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

  private:
    std::vector<size_t> parent_;
};

// A rest transform that flattens space cannot carry vertices from one node to another.
bool Invertible(const Matrix3& m) {
    const double det = DotProd(CrossProd(m[0], m[1]), m[2]);
    return std::isfinite(det) && std::fabs(det) > 1e-12;
}

}  // namespace

void MergeSharedSkins(std::vector<MeshOnNode>& meshes, std::vector<std::string>& warnings) {
    Groups groups(meshes.size());
    std::unordered_map<const SceneNode*, size_t> firstUser;
    for (size_t i = 0; i < meshes.size(); ++i) {
        for (const SkinBone& bone : meshes[i].mesh.bones) {
            const auto [it, added] = firstUser.emplace(bone.node, i);
            if (!added) groups.Join(it->second, i);
        }
    }
    for (size_t i = 0; i < meshes.size(); ++i) {
        const size_t root = groups.Root(i);
        if (root == i || meshes[i].mesh.bones.empty()) continue;
        MeshOnNode& into = meshes[root];
        if (!Invertible(into.restWorld) || !Invertible(meshes[i].restWorld)) {
            warnings.push_back("node " + Quoted(meshes[i].source->mName) +
                               ": not merged into node " + Quoted(into.source->mName) +
                               ", since one of them is scaled flat at rest");
            continue;
        }
        // Row vectors: from this node's space to the world, then into the target node's space.
        const Matrix3 toInto = meshes[i].restWorld * Inverse(into.restWorld);
        AppendNodeMesh(into.mesh, std::move(meshes[i].mesh), toInto);
        meshes[i].mesh = NodeMesh{};
        meshes[i].mergedAway = true;
    }
}

}  // namespace plughost::import
