#pragma once
// The scene model plughost loads and the plug-ins walk: a tree of nodes with animated
// transforms, objects, modifiers and materials.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostsdk/scene.h"
#include "plughost/animation.h"
#include "plughost/scene_material.h"
#include "plughost/scene_objects.h"

namespace plughost {

class HostNode : public SceneNode {
  public:
    HostNode() = default;

    const char* GetName() override { return name_ ? name_->c_str() : nullptr; }
    SceneNode* GetParentNode() override { return parent_; }
    int NumberOfChildren() override { return static_cast<int>(children_.size()); }
    SceneNode* GetChildNode(int index) override;
    bool IsNodeHidden(bool checkLayer = false, bool checkParents = false) override;
    Matrix3 GetNodeTM(TimeValue t) override;
    Matrix3 GetObjectTM(TimeValue t) override;
    HostObject* GetObjectRef() override { return object_.get(); }
    Material* GetMaterial() override { return material_.get(); }
    ObjectState EvalWorldState(TimeValue t, bool evalHidden = true) override;

    void SetName(std::optional<std::string> name) { name_ = std::move(name); }
    void SetHidden(bool hidden) { hidden_ = hidden; }
    // Changing the transforms goes through these, which forget the cached local matrix.
    AnimatedTransform& Local() {
        localCache_.valid = false;
        return local_;
    }
    AnimatedTransform& Offset() { return offset_; }
    void SetObject(std::unique_ptr<HostObject> object) { object_ = std::move(object); }
    void SetMaterial(std::unique_ptr<HostMaterial> material) { material_ = std::move(material); }
    HostNode* AddChild(std::unique_ptr<HostNode> child);
    HostNode* Child(int index) { return static_cast<HostNode*>(GetChildNode(index)); }

  private:
    // The local matrix at one time. An export asks for every bone's node transform at each
    // frame, and each asks for all its ancestors' local matrices: they are evaluated once per
    // time instead. Not safe to share between threads (the host evaluates from one).
    struct LocalCache {
        bool valid = false;
        TimeValue time = 0;
        alignas(16) float rows[4][4] = {};  // row by row, each padded to four floats
    };
    const LocalCache& LocalAt(TimeValue t);

    std::optional<std::string> name_;
    bool hidden_ = false;
    HostNode* parent_ = nullptr;
    std::vector<std::unique_ptr<HostNode>> children_;
    AnimatedTransform local_;
    AnimatedTransform offset_;
    LocalCache localCache_;
    std::unique_ptr<HostObject> object_;
    std::unique_ptr<HostMaterial> material_;
};

// A loaded scene. Times are in ticks.
struct Scene {
    std::string path;    // the scene file as named on the command line
    std::string folder;  // its folder, for relative bitmap names ("." when none)
    int frameRate = 30;  // frames per second
    int ticksPerFrame = kTicksPerSecond / 30;
    Interval range{0, 0};
    TimeValue time = 0;
    std::unique_ptr<HostNode> root;
};

// Ticks for a time in frames, rounded to the nearest tick.
TimeValue FramesToTicks(double frames, int ticksPerFrame);
// Whether `frames` is a finite number whose ticks fit the host's 32-bit time.
bool FrameFitsTicks(double frames, int ticksPerFrame);

}  // namespace plughost
