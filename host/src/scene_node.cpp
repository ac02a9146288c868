#include <cmath>
#include <limits>

#include "plughost/scene.h"

namespace plughost {

namespace {

// m = m * n, with the very arithmetic of Matrix3::operator* (each row of m through n's axes in
// float, x then y then z, then n's translation added to the last row), inlined: the node
// transform's product runs for every ancestor of every bone at every frame.
void MultiplyBy(Matrix3& m, const Matrix3& n) {
    auto through = [&n](const Point3& v) { return n[0] * v.x + n[1] * v.y + n[2] * v.z; };
    const Point3 r0 = through(m[0]), r1 = through(m[1]), r2 = through(m[2]);
    const Point3 r3 = through(m[3]) + n[3];
    m.SetRow(0, r0);
    m.SetRow(1, r1);
    m.SetRow(2, r2);
    m.SetRow(3, r3);
}

}  // namespace

SceneNode* HostNode::GetChildNode(int index) {
    if (index < 0 || index >= NumberOfChildren()) return nullptr;
    return children_[static_cast<size_t>(index)].get();
}

bool HostNode::IsNodeHidden(bool, bool checkParents) {
    if (hidden_) return true;
    return checkParents && parent_ != nullptr && parent_->IsNodeHidden(false, true);
}

const Matrix3& HostNode::LocalAt(TimeValue t) {
    if (!localCache_.valid || localCache_.time != t) {
        localCache_.local = local_.MatrixAt(t);
        localCache_.time = t;
        localCache_.valid = true;
    }
    return localCache_.local;
}

Matrix3 HostNode::GetNodeTM(TimeValue t) {
    // Walks up iteratively so that a deep hierarchy cannot exhaust the stack. The product is
    // made in this order, local first, each ancestor after, so that every bit of it stays the
    // same whatever is cached.
    Matrix3 m = LocalAt(t);
    for (HostNode* p = parent_; p != nullptr; p = p->parent_) MultiplyBy(m, p->LocalAt(t));
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

TimeValue FramesToTicks(double frames, int ticksPerFrame) {
    const double ticks = std::round(frames * ticksPerFrame);
    constexpr double lo = std::numeric_limits<TimeValue>::min();
    constexpr double hi = std::numeric_limits<TimeValue>::max();
    if (!(ticks >= lo)) return std::numeric_limits<TimeValue>::min();
    if (ticks > hi) return std::numeric_limits<TimeValue>::max();
    return static_cast<TimeValue>(ticks);
}

}  // namespace plughost
