#pragma once
// What the renderer draws at one time, gathered from the scene without touching the GPU: the
// triangles of every visible geometric object in world placement, grouped by material, and the
// lights.
#include <cstddef>
#include <string>
#include <vector>

#include "hostsdk/scene.h"

namespace plughost {

// How one group of faces looks.
struct SurfaceLook {
    Point3 diffuse{0.8f, 0.8f, 0.8f};  // 0..1
    std::string diffuseMap;            // bitmap file name as the material holds it; empty: none
    bool twoSided = false;
    bool operator==(const SurfaceLook&) const = default;
};

// Faces of one node that share a look: `cornerCount` corners from `firstCorner` on, three per
// triangle, in the scene's corner arrays.
struct DrawGroup {
    Matrix3 objectTM;  // object space to world
    SurfaceLook look;
    std::size_t firstCorner = 0;
    std::size_t cornerCount = 0;
};

struct SceneLight {
    Point3 position;  // world
    Point3 color;     // colour times intensity
};

struct RenderScene {
    // Per triangle corner: object-space x, y, z and texture u, v (zero without texture
    // vertices), five floats each.
    std::vector<float> corners;
    std::vector<DrawGroup> groups;
    std::vector<SceneLight> lights;
};

inline constexpr int kCornerFloats = 5;

// Walks the scene from `root` at time t: every node that is not hidden and whose evaluated
// object is geometry that converts to a triangle mesh (skinned meshes as their modifiers pose
// them), and every light node. A face's look comes from the node's material: the sub-material
// of the face's material id when there is one, else the material itself; a node without a
// material is grey. Faces naming a vertex or texture vertex that does not exist are left out.
RenderScene CollectRenderScene(SceneNode* root, TimeValue t);
// The same into `scene`, whose buffers are reused (a renderer drawing frame after frame keeps
// one).
void CollectRenderScene(SceneNode* root, TimeValue t, RenderScene& scene);

}  // namespace plughost
