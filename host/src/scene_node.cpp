#include <cmath>
#include <cstring>
#include <limits>

#include "plughost/scene.h"

namespace plughost {

namespace {

// Four floats computed side by side; each lane rounds as the scalar operation would.
using Lanes = float __attribute__((vector_size(16)));

// The running product of node transforms, a row per lane group (the fourth lane unused).
struct Rows {
    Lanes r[4];
};

Rows Load(const float (&rows)[4][4]) {
    Rows m;
    std::memcpy(m.r, rows, sizeof m.r);
    return m;
}

// m = m * n, with the very arithmetic of Matrix3::operator* (each row of m through n's axes in
// float, x then y then z, then n's translation added to the last row), three columns at once:
// the node transform's product runs for every ancestor of every bone at every frame.
void MultiplyBy(Rows& m, const Rows& n) {
    for (int i = 0; i < 4; ++i) {
        const Lanes v = m.r[i];
        Lanes r = n.r[0] * v[0] + n.r[1] * v[1];
        r = r + n.r[2] * v[2];
        if (i == 3) r = r + n.r[3];
        m.r[i] = r;
    }
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

const HostNode::LocalCache& HostNode::LocalAt(TimeValue t) {
    if (!localCache_.valid || localCache_.time != t) {
        const Matrix3 local = local_.MatrixAt(t);
        for (int i = 0; i < 4; ++i) {
            const Point3& row = local[i];
            localCache_.rows[i][0] = row.x;
            localCache_.rows[i][1] = row.y;
            localCache_.rows[i][2] = row.z;
        }
        localCache_.time = t;
        localCache_.valid = true;
    }
    return localCache_;
}

Matrix3 HostNode::GetNodeTM(TimeValue t) {
    // Walks up iteratively so that a deep hierarchy cannot exhaust the stack. The product is
    // made in this order, local first, each ancestor after, so that every bit of it stays the
    // same whatever is cached.
    Rows m = Load(LocalAt(t).rows);
    for (HostNode* p = parent_; p != nullptr; p = p->parent_)
        MultiplyBy(m, Load(p->LocalAt(t).rows));
    Matrix3 tm;
    for (int i = 0; i < 4; ++i) tm.SetRow(i, {m.r[i][0], m.r[i][1], m.r[i][2]});
    return tm;
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
