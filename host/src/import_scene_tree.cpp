// The imported scene as the scene model: the node tree, the first animation, and the objects
// (meshes, skins, cameras, lights) on their nodes.
#include <algorithm>
#include <cmath>
#include <limits>

#include "import_internal.h"
#include "plughost/scene_import.h"
#include "plughost/scene_loader.h"

namespace plughost::import {

namespace {

class SceneBuilder {
  public:
    SceneBuilder(const aiScene& ai, std::vector<std::string>& warnings)
        : ai_(ai), warnings_(warnings) {}

    std::unique_ptr<Scene> Build() {
        auto scene = std::make_unique<Scene>();
        scene->frameRate = kImportFrameRate;
        scene->ticksPerFrame = kTicksPerSecond / kImportFrameRate;
        scene->root = Node(*ai_.mRootNode, 0);
        if (ai_.mNumAnimations > 0 && ai_.mAnimations[0] != nullptr)
            scene->range = Animate(*ai_.mAnimations[0], scene->ticksPerFrame);
        scene->time = scene->range.start;
        for (const auto& [source, node] : order_) Meshes(*source, *node);
        for (unsigned i = 0; i < ai_.mNumCameras; ++i) Camera(*ai_.mCameras[i]);
        for (unsigned i = 0; i < ai_.mNumLights; ++i) Light(*ai_.mLights[i]);
        return scene;
    }

  private:
    std::unique_ptr<HostNode> Node(const aiNode& source, int depth) {
        if (depth > kMaxNodeDepth)
            Fail("nodes nested deeper than " + std::to_string(kMaxNodeDepth));
        auto node = std::make_unique<HostNode>();
        const std::string name = source.mName.C_Str();
        if (!name.empty()) {
            node->SetName(name);
            byName_.emplace(name, node.get());
        }
        const std::string what = "node " + Quoted(source.mName);
        if (!SplitTransform(source.mTransformation, node->Local(), what))
            warnings_.push_back(what +
                                ": the transform shears, which a node cannot hold; kept "
                                "its position, rotation and scale");
        order_.emplace_back(&source, node.get());
        for (unsigned i = 0; i < source.mNumChildren; ++i)
            node->AddChild(Node(*source.mChildren[i], depth + 1));
        return node;
    }

    // Key times in host ticks; the file counts in its own ticks.
    double KeyTick(double time, double hostTicksPerKeyTick, const std::string& what) const {
        const double tick = time * hostTicksPerKeyTick;
        if (!std::isfinite(tick) || std::fabs(tick) > std::numeric_limits<TimeValue>::max())
            Fail(what + ": key time " + std::to_string(time) + " out of range");
        return tick;
    }

    template <typename Key, typename Out, typename Convert>
    std::vector<Out> Keys(const Key* keys, unsigned count, double scale, const std::string& what,
                          Convert convert) const {
        std::vector<Out> out;
        for (unsigned i = 0; i < count; ++i)
            out.push_back({KeyTick(keys[i].mTime, scale, what), convert(keys[i].mValue)});
        // Tracks are read in time order; files almost always store them so.
        std::stable_sort(out.begin(), out.end(),
                         [](const Out& a, const Out& b) { return a.tick < b.tick; });
        return out;
    }

    Interval Animate(const aiAnimation& anim, int ticksPerFrame) {
        const double rate = anim.mTicksPerSecond > 0.0 && std::isfinite(anim.mTicksPerSecond)
                                ? anim.mTicksPerSecond
                                : kImportDefaultTicksPerSecond;
        const double scale = kTicksPerSecond / rate;
        double lastKey = 0.0;
        for (unsigned c = 0; c < anim.mNumChannels; ++c) {
            const aiNodeAnim& ch = *anim.mChannels[c];
            const std::string what = "animation channel " + Quoted(ch.mNodeName);
            const auto found = byName_.find(ch.mNodeName.C_Str());
            if (found == byName_.end()) {
                warnings_.push_back(what + ": names no node; ignored");
                continue;
            }
            AnimatedTransform& tm = found->second->Local();
            auto vec = [](const aiVector3D& v) { return ToPoint3(v); };
            auto rot = [](const aiQuaternion& q) { return ToQuat(q); };
            tm.positionKeys = Keys<aiVectorKey, VectorKey>(ch.mPositionKeys, ch.mNumPositionKeys,
                                                           scale, what, vec);
            tm.rotationKeys = Keys<aiQuatKey, RotationKey>(ch.mRotationKeys, ch.mNumRotationKeys,
                                                           scale, what, rot);
            tm.scaleKeys =
                Keys<aiVectorKey, VectorKey>(ch.mScalingKeys, ch.mNumScalingKeys, scale, what, vec);
            for (const auto& k : tm.positionKeys) lastKey = std::max(lastKey, k.tick);
            for (const auto& k : tm.rotationKeys) lastKey = std::max(lastKey, k.tick);
            for (const auto& k : tm.scaleKeys) lastKey = std::max(lastKey, k.tick);
        }
        // The range covers the animation's length; without one, its last key.
        double end = lastKey;
        if (anim.mDuration > 0.0) end = KeyTick(anim.mDuration, scale, "animation duration");
        const double frames = std::ceil(end / ticksPerFrame - 1e-6);
        return {0, FramesToTicks(std::max(frames, 0.0), ticksPerFrame)};
    }

    void Meshes(const aiNode& source, HostNode& node) {
        if (source.mNumMeshes == 0) return;
        NodeMesh merged = MergeNodeMeshes(ai_, source, byName_);
        const std::string what = "node " + Quoted(source.mName);
        if (merged.droppedFaces > 0)
            warnings_.push_back(what + ": " + std::to_string(merged.droppedFaces) +
                                " point and line primitives left out");
        if (merged.materials.size() == 1) {
            node.SetMaterial(ConvertMaterial(*ai_.mMaterials[merged.materials[0]], warnings_));
        } else if (merged.materials.size() > 1) {
            auto multi = std::make_unique<HostMaterial>(MaterialKind::Multi);
            for (unsigned index : merged.materials)
                multi->AddSubMaterial(ConvertMaterial(*ai_.mMaterials[index], warnings_));
            node.SetMaterial(std::move(multi));
        }
        auto mesh = std::make_unique<HostMeshObject>(std::move(merged.mesh));
        if (merged.bones.empty()) {
            node.SetObject(std::move(mesh));
            return;
        }
        auto physique = std::make_unique<PhysiqueModifier>(
            true, std::make_unique<Skin>(std::move(merged.bones), std::move(merged.influences)));
        physique->SetOwner(&node);
        std::vector<std::unique_ptr<Modifier>> stack;
        stack.push_back(std::move(physique));
        node.SetObject(std::make_unique<HostDerivedObject>(std::move(mesh), std::move(stack)));
    }

    // The node that carries a camera or light of this name, or null after a warning.
    HostNode* ObjectNode(const aiString& name, const char* kind) {
        const std::string what = std::string(kind) + " " + Quoted(name);
        const auto found = byName_.find(name.C_Str());
        if (found == byName_.end()) {
            warnings_.push_back(what + ": names no node; ignored");
            return nullptr;
        }
        if (found->second->GetObjectRef() != nullptr) {
            warnings_.push_back(what + ": its node already has an object; ignored");
            return nullptr;
        }
        return found->second;
    }

    void Camera(const aiCamera& camera) {
        HostNode* node = ObjectNode(camera.mName, "camera");
        if (node == nullptr) return;
        // The import library's readers store the whole horizontal angle here.
        float fov = camera.mHorizontalFOV;
        if (!(fov > 0.0f && fov < 3.14159265f)) {
            warnings_.push_back("camera " + Quoted(camera.mName) +
                                ": no perspective field of view; 0.785398 used");
            fov = 0.785398f;
        }
        const float nearClip = std::isfinite(camera.mClipPlaneNear) ? camera.mClipPlaneNear : 1.0f;
        const float farClip = std::isfinite(camera.mClipPlaneFar) ? camera.mClipPlaneFar : 1000.0f;
        node->SetObject(std::make_unique<HostCameraObject>(fov, nearClip, farClip));
        CameraOffset(camera, node->Offset());
    }

    void Light(const aiLight& light) {
        HostNode* node = ObjectNode(light.mName, "light");
        if (node != nullptr)
            node->SetObject(std::make_unique<HostPlainObject>(kLightSuperClass, kLightClassId));
    }

    const aiScene& ai_;
    std::vector<std::string>& warnings_;
    NodesByName byName_;
    std::vector<std::pair<const aiNode*, HostNode*>> order_;
};

}  // namespace

std::unique_ptr<Scene> ConvertScene(const aiScene& scene, std::vector<std::string>& warnings) {
    return SceneBuilder(scene, warnings).Build();
}

}  // namespace plughost::import
