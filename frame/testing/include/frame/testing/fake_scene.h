#pragma once
// In-memory scene nodes for tests: a tree of named nodes with transforms given as fixed
// matrices or as functions of time.
#include <hostsdk/scene.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hostfakes {

class FakeNode : public SceneNode {
  public:
    using TransformFn = std::function<Matrix3(TimeValue)>;

    // A node without a name when `name` is empty.
    explicit FakeNode(std::optional<std::string> name = std::nullopt);

    // Appends a child that this node owns; returns it for further set-up.
    FakeNode* AddChild(std::optional<std::string> name);

    void SetName(std::optional<std::string> name) { name_ = std::move(name); }
    void SetHidden(bool hidden) { hidden_ = hidden; }
    // The node transform: fixed, or computed from the time.
    void SetNodeTM(const Matrix3& tm);
    void SetNodeTM(TransformFn tm) { nodeTM_ = std::move(tm); }
    // The object offset placed before the node transform; identity by default.
    void SetObjectOffset(const Matrix3& offset) { objectOffset_ = offset; }
    // Not owned.
    void SetObject(HostObject* object) { object_ = object; }
    void SetMaterial(Material* material) { material_ = material; }

    // Times at which the node transform was asked for, in order.
    const std::vector<TimeValue>& NodeTMTimes() const { return nodeTMTimes_; }

    const char* GetName() override { return name_ ? name_->c_str() : nullptr; }
    SceneNode* GetParentNode() override { return parent_; }
    int NumberOfChildren() override { return static_cast<int>(children_.size()); }
    SceneNode* GetChildNode(int index) override;
    bool IsNodeHidden(bool checkLayer = false, bool checkParents = false) override;
    Matrix3 GetNodeTM(TimeValue t) override;
    Matrix3 GetObjectTM(TimeValue t) override;
    HostObject* GetObjectRef() override { return object_; }
    Material* GetMaterial() override { return material_; }
    ObjectState EvalWorldState(TimeValue t, bool evalHidden = true) override;

    bool recordTimes = false;  // fill NodeTMTimes()

  private:
    std::optional<std::string> name_;
    FakeNode* parent_ = nullptr;
    std::vector<std::unique_ptr<FakeNode>> children_;
    bool hidden_ = false;
    TransformFn nodeTM_;
    Matrix3 objectOffset_;
    HostObject* object_ = nullptr;
    Material* material_ = nullptr;
    std::vector<TimeValue> nodeTMTimes_;
};

}  // namespace hostfakes
