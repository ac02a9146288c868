#include <cmath>
#include <limits>

#include "plughost/scene.h"

namespace plughost {

SceneNode* HostNode::GetChildNode(int index) {
    if (index < 0 || index >= NumberOfChildren()) return nullptr;
    return children_[static_cast<size_t>(index)].get();
}

bool HostNode::IsNodeHidden(bool, bool checkParents) {
    if (hidden_) return true;
    return checkParents && parent_ != nullptr && parent_->IsNodeHidden(false, true);
}

Matrix3 HostNode::GetNodeTM(TimeValue t) {
    // Walks up iteratively so that a deep hierarchy cannot exhaust the stack.
    Matrix3 m = local_.MatrixAt(t);
    for (HostNode* p = parent_; p != nullptr; p = p->parent_) m = m * p->local_.MatrixAt(t);
    return m;
}

Matrix3 HostNode::GetObjectTM(TimeValue t) {
    return offset_.MatrixAt(t) * GetNodeTM(t);
}

ObjectState HostNode::EvalWorldState(TimeValue t, bool evalHidden) {
    if (!evalHidden && hidden_) return {};
    HostObject* obj = object_.get();
    if (obj != nullptr && obj->SuperClassID() == kDerivedObjectSuperClass) {
        if (auto* host = dynamic_cast<HostDerivedObject*>(obj))
            obj = host->Evaluate(t);
        else
            obj = static_cast<DerivedObject*>(obj)->GetBaseObject();
    }
    return {obj};
}

HostNode* HostNode::AddChild(std::unique_ptr<HostNode> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    return children_.back().get();
}

bool FrameFitsTicks(double frames, int ticksPerFrame) {
    const double ticks = frames * ticksPerFrame;
    return std::isfinite(ticks) && std::fabs(ticks) <= std::numeric_limits<TimeValue>::max();
}

TimeValue FramesToTicks(double frames, int ticksPerFrame) {
    const double ticks = std::round(frames * ticksPerFrame);
    constexpr double lo = std::numeric_limits<TimeValue>::min();
    constexpr double hi = std::numeric_limits<TimeValue>::max();
    if (!(ticks >= lo)) return std::numeric_limits<TimeValue>::min();
    if (ticks > hi) return std::numeric_limits<TimeValue>::max();
    return static_cast<TimeValue>(ticks);
}

}  // namespace plughost
