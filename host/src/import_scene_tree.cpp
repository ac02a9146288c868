// The imported scene as the scene model: the node tree, the first animation, and the objects
// (meshes, skins, cameras, lights) on their nodes.
#include <assimp/commonMetaData.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "import_internal.h"
#include "plughost/scene_import.h"
#include "plughost/scene_loader.h"

namespace plughost::import {

namespace {

// glTF's KHR_node_visibility, which the import library passes on as node metadata
// {"extensions": {"KHR_node_visibility": {"visible": false}}}.
bool MarkedInvisible(const aiNode& node) {
    aiMetadata extensions, visibility;
    bool visible = true;
    return node.mMetaData != nullptr && node.mMetaData->Get("extensions", extensions) &&
           extensions.Get("KHR_node_visibility", visibility) &&
           visibility.Get("visible", visible) && !visible;
}

// glTF cameras have no position of their own; the import library's glTF reader copies the
// node's translation into the camera's position, which would place the camera twice.
bool CameraPositionIsLocal(const aiScene& ai) {
    aiString format;
    return ai.mMetaData == nullptr || !ai.mMetaData->Get(AI_METADATA_SOURCE_FORMAT, format) ||
           std::string(format.C_Str()).rfind("glTF", 0) != 0;
}

class SceneBuilder {
  public:
    SceneBuilder(aiScene& ai, const std::string& path, const ImportOptions& options,
                 std::vector<std::string>& warnings)
        : ai_(ai),
          options_(options),
          warnings_(warnings),
          embedded_(ai,
                    options.embeddedTextureFolder.empty() ? SceneFolderOf(path)
                                                          : options.embeddedTextureFolder,
                    std::filesystem::path(path).stem().string(), warnings) {}

    std::unique_ptr<Scene> Build() {
        auto scene = std::make_unique<Scene>();
        scene->frameRate = kImportFrameRate;
        scene->ticksPerFrame = kTicksPerSecond / kImportFrameRate;
        scene->root = Node(*ai_.mRootNode, aiMatrix4x4(), false, 0);
        WarnAboutNamesakes();
        if (ai_.mNumAnimations > 0 && ai_.mAnimations[0] != nullptr)
            scene->range = Animate(*ai_.mAnimations[0], scene->ticksPerFrame);
        scene->time = scene->range.start;
        Meshes();
        for (unsigned i = 0; i < ai_.mNumCameras; ++i) Camera(*ai_.mCameras[i]);
        for (unsigned i = 0; i < ai_.mNumLights; ++i) Light(*ai_.mLights[i]);
        return scene;
    }

  private:
    // `parentWorld`: where the file places the parent at rest; `parentHidden`: whether the file
    // hides it, which hides its whole subtree.
    std::unique_ptr<HostNode> Node(const aiNode& source, const aiMatrix4x4& parentWorld,
                                   bool parentHidden, int depth) {
        if (depth > kMaxNodeDepth)
            Fail("nodes nested deeper than " + std::to_string(kMaxNodeDepth));
        auto node = std::make_unique<HostNode>();
        const std::string name = source.mName.C_Str();
        if (!name.empty()) {
            node->SetName(name);
            auto& namesakes = byName_[name];
            if (namesakes.empty()) names_.push_back(name);
            namesakes.push_back({node.get(), &source});
        }
        const bool hidden = parentHidden || MarkedInvisible(source);
        node->SetHidden(hidden);
        const std::string what = "node " + Quoted(source.mName);
        if (!SplitTransform(source.mTransformation, node->Local(), what))
            warnings_.push_back(what +
                                ": the transform shears, which a node cannot hold; kept "
                                "its position, rotation and scale");
        const aiMatrix4x4 world = parentWorld * source.mTransformation;
        order_.push_back({&source, node.get(), ToMatrix3(world)});
        for (unsigned i = 0; i < source.mNumChildren; ++i)
            node->AddChild(Node(*source.mChildren[i], world, hidden, depth + 1));
        return node;
    }

    void WarnAboutNamesakes() {
        for (const std::string& name : names_) {
            const size_t count = byName_[name].size();
            if (count > 1)
                warnings_.push_back(std::to_string(count) + " nodes are named \"" + name +
                                    "\": the exported names are ambiguous, and an animation "
                                    "channel of that name moves all of them");
        }
    }

    // Key times in host ticks; the file counts in its own ticks.
    double KeyTick(double time, double hostTicksPerKeyTick, const std::string& what) const {
        const double tick = time * hostTicksPerKeyTick;
        if (!std::isfinite(tick) || std::fabs(tick) > std::numeric_limits<TimeValue>::max())
            Fail(what + ": key time " + std::to_string(time) + " out of range");
        return tick;
    }

    // The channel's keys are converted: freeing them now lets the next channels' tracks reuse
    // their memory instead of growing the heap by the whole animation once more.
    static void ReleaseKeys(aiNodeAnim& ch) {
        delete[] ch.mPositionKeys;
        delete[] ch.mRotationKeys;
        delete[] ch.mScalingKeys;
        ch.mPositionKeys = nullptr;
        ch.mRotationKeys = nullptr;
        ch.mScalingKeys = nullptr;
        ch.mNumPositionKeys = ch.mNumRotationKeys = ch.mNumScalingKeys = 0;
    }

    template <typename Key, typename Out, typename Convert>
    std::vector<Out> Keys(const Key* keys, unsigned count, double scale, const std::string& what,
                          Convert convert) const {
        std::vector<Out> out;
        out.reserve(count);
        for (unsigned i = 0; i < count; ++i)
            out.push_back({KeyTick(keys[i].mTime, scale, what), convert(keys[i].mValue)});
        // Tracks are read in time order; files almost always store them so.
        auto earlier = [](const Out& a, const Out& b) { return a.tick < b.tick; };
        if (!std::is_sorted(out.begin(), out.end(), earlier))
            std::stable_sort(out.begin(), out.end(), earlier);
        return out;
    }

    Interval Animate(aiAnimation& anim, int ticksPerFrame) {
        const double rate = anim.mTicksPerSecond > 0.0 && std::isfinite(anim.mTicksPerSecond)
                                ? anim.mTicksPerSecond
                                : kImportDefaultTicksPerSecond;
        const double scale = kTicksPerSecond / rate;
        double lastKey = 0.0;
        for (unsigned c = 0; c < anim.mNumChannels; ++c) {
            aiNodeAnim& ch = *anim.mChannels[c];
            const std::string what = "animation channel " + Quoted(ch.mNodeName);
            const auto found = byName_.find(ch.mNodeName.C_Str());
            if (found == byName_.end()) {
                warnings_.push_back(what + ": names no node; ignored");
                continue;
            }
            auto vec = [](const aiVector3D& v) { return ToPoint3(v); };
            auto rot = [](const aiQuaternion& q) { return ToQuat(q); };
            auto positions = Keys<aiVectorKey, VectorKey>(ch.mPositionKeys, ch.mNumPositionKeys,
                                                          scale, what, vec);
            auto rotations = Keys<aiQuatKey, RotationKey>(ch.mRotationKeys, ch.mNumRotationKeys,
                                                          scale, what, rot);
            auto scales =
                Keys<aiVectorKey, VectorKey>(ch.mScalingKeys, ch.mNumScalingKeys, scale, what, vec);
            ReleaseKeys(ch);
            for (const auto& k : positions) lastKey = std::max(lastKey, k.tick);
            for (const auto& k : rotations) lastKey = std::max(lastKey, k.tick);
            for (const auto& k : scales) lastKey = std::max(lastKey, k.tick);
            // The channel is bound by name: every node of the name moves with it (the last one
            // takes the keys themselves).
            const std::vector<NamedNode>& nodes = found->second;
            for (size_t i = 0; i < nodes.size(); ++i) {
                AnimatedTransform& tm = nodes[i].node->Local();
                if (i + 1 < nodes.size()) {
                    tm.positionKeys = positions;
                    tm.rotationKeys = rotations;
                    tm.scaleKeys = scales;
                } else {
                    tm.positionKeys = std::move(positions);
                    tm.rotationKeys = std::move(rotations);
                    tm.scaleKeys = std::move(scales);
                }
            }
        }
        // The range covers the animation's length; without one, its last key.
        double end = lastKey;
        if (anim.mDuration > 0.0) end = KeyTick(anim.mDuration, scale, "animation duration");
        const double frames = std::ceil(end / ticksPerFrame - 1e-6);
        return {0, FramesToTicks(std::max(frames, 0.0), ticksPerFrame)};
    }

    void Meshes() {
        std::vector<MeshOnNode> meshes;
        for (const auto& placed : order_) {
            if (placed.source->mNumMeshes == 0) continue;
            meshes.push_back({placed.source, placed.node, placed.restWorld,
                              MergeNodeMeshes(ai_, *placed.source, byName_)});
        }
        if (options_.mergeSkins) MergeSharedSkins(meshes, warnings_);
        for (MeshOnNode& m : meshes)
            if (!m.mergedAway) Attach(*m.source, *m.node, std::move(m.mesh));
    }

    void Attach(const aiNode& source, HostNode& node, NodeMesh merged) {
        const std::string what = "node " + Quoted(source.mName);
        if (merged.droppedFaces > 0)
            warnings_.push_back(what + ": " + std::to_string(merged.droppedFaces) +
                                " point and line primitives left out");
        if (merged.materials.size() == 1) {
            node.SetMaterial(ConvertMaterial(*ai_.mMaterials[merged.materials[0]], embedded_));
        } else if (merged.materials.size() > 1) {
            auto multi = std::make_unique<HostMaterial>(MaterialKind::Multi);
            for (unsigned index : merged.materials)
                multi->AddSubMaterial(ConvertMaterial(*ai_.mMaterials[index], embedded_));
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

    // The node that carries a camera or light of this name (of several, the first without an
    // object), or null after a warning.
    HostNode* ObjectNode(const aiString& name, const char* kind) {
        const std::string what = std::string(kind) + " " + Quoted(name);
        const auto found = byName_.find(name.C_Str());
        if (found == byName_.end()) {
            warnings_.push_back(what + ": names no node; ignored");
            return nullptr;
        }
        for (const NamedNode& n : found->second)
            if (n.node->GetObjectRef() == nullptr) return n.node;
        warnings_.push_back(what + ": its node already has an object; ignored");
        return nullptr;
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
        CameraOffset(camera, CameraPositionIsLocal(ai_), node->Offset());
    }

    void Light(const aiLight& light) {
        HostNode* node = ObjectNode(light.mName, "light");
        if (node != nullptr)
            node->SetObject(std::make_unique<HostPlainObject>(kLightSuperClass, kLightClassId));
    }

    // A node in depth-first order with its rest place in the world.
    struct Placed {
        const aiNode* source;
        HostNode* node;
        Matrix3 restWorld;
    };

    aiScene& ai_;
    const ImportOptions& options_;
    std::vector<std::string>& warnings_;
    EmbeddedTextures embedded_;
    NodesByName byName_;
    std::vector<std::string> names_;  // in order of first use
    std::vector<Placed> order_;
};

}  // namespace

std::unique_ptr<Scene> ConvertScene(aiScene& scene, const std::string& path,
                                    const ImportOptions& options,
                                    std::vector<std::string>& warnings) {
    return SceneBuilder(scene, path, options, warnings).Build();
}

}  // namespace plughost::import
