#include "frame/testing/fake_scene.h"

namespace hostfakes {

FakeNode::FakeNode(std::optional<std::string> name) : name_(std::move(name)) {}

FakeNode* FakeNode::AddChild(std::optional<std::string> name) {
    children_.push_back(std::make_unique<FakeNode>(std::move(name)));
    children_.back()->parent_ = this;
    return children_.back().get();
}

void FakeNode::SetNodeTM(const Matrix3& tm) {
    nodeTM_ = [tm](TimeValue) { return tm; };
}

SceneNode* FakeNode::GetChildNode(int index) {
    if (index < 0 || index >= NumberOfChildren()) return nullptr;
    return children_[index].get();
}

bool FakeNode::IsNodeHidden(bool, bool) {
    return hidden_;
}

Matrix3 FakeNode::GetNodeTM(TimeValue t) {
    if (recordTimes) nodeTMTimes_.push_back(t);
    return nodeTM_ ? nodeTM_(t) : Matrix3();
}

Matrix3 FakeNode::GetObjectTM(TimeValue t) {
    return objectOffset_ * GetNodeTM(t);
}

ObjectState FakeNode::EvalWorldState(TimeValue, bool) {
    return ObjectState{object_};
}

}  // namespace hostfakes
