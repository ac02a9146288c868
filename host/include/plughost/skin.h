#pragma once
// Linear-blend skinning: the deformation a Physique modifier applies to its node's mesh. Each
// bone is a scene node with an offset matrix that takes mesh-space points to the bone's space in
// the bind pose; a posed vertex is the weighted sum of the vertex carried by each bone's offset
// and current node transform. The result is expressed in the skinned node's object space, so
// that the node's object transform places it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "hostsdk/scene.h"

namespace plughost {

struct SkinBone {
    SceneNode* node = nullptr;  // belongs to the scene
    Matrix3 offset;             // mesh space -> bone space in the bind pose
};

struct SkinInfluence {
    uint32_t vertex = 0;
    uint32_t bone = 0;
    float weight = 0.0f;
};

class Skin {
  public:
    Skin(std::vector<SkinBone> bones, std::vector<SkinInfluence> influences)
        : bones_(std::move(bones)), influences_(std::move(influences)) {}

    // The rest vertices posed at time t, in `owner`'s object space. A vertex's weights are
    // scaled to sum to 1; a vertex without weights keeps its rest place. Influences naming a
    // vertex or bone that does not exist are skipped.
    std::vector<Point3> Deform(const std::vector<Point3>& rest, SceneNode& owner,
                               TimeValue t) const;

    const std::vector<SkinBone>& Bones() const { return bones_; }
    const std::vector<SkinInfluence>& Influences() const { return influences_; }

  private:
    std::vector<SkinBone> bones_;
    std::vector<SkinInfluence> influences_;
};

}  // namespace plughost
