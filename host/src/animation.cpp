#include "plughost/animation.h"

#include <algorithm>
#include <cmath>

namespace plughost {

Quat Normalize(const Quat& q) {
    const double len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    if (!(len > 0.0) || !std::isfinite(len)) return Quat{};
    return {q.x / len, q.y / len, q.z / len, q.w / len};
}

Quat Slerp(const Quat& a, const Quat& from_b, double t) {
    Quat b = from_b;
    double dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    // q and -q are the same rotation; flipping b takes the shorter way round.
    if (dot < 0.0) {
        b = {-b.x, -b.y, -b.z, -b.w};
        dot = -dot;
    }
    double wa = 1.0 - t, wb = t;
    // Nearly equal rotations: the sine below vanishes, and a normalised lerp is exact enough.
    if (dot < 0.9995) {
        const double angle = std::acos(std::min(dot, 1.0));
        const double s = std::sin(angle);
        wa = std::sin((1.0 - t) * angle) / s;
        wb = std::sin(t * angle) / s;
    }
    return Normalize(
        {wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w});
}

Matrix3 RotationMatrix(const Quat& q) {
    const double x = q.x, y = q.y, z = q.z, w = q.w;
    auto f = [](double v) { return static_cast<float>(v); };
    // Row i is the image of axis i under the rotation (points are row vectors).
    return Matrix3({f(1 - 2 * (y * y + z * z)), f(2 * (x * y + w * z)), f(2 * (x * z - w * y))},
                   {f(2 * (x * y - w * z)), f(1 - 2 * (x * x + z * z)), f(2 * (y * z + w * x))},
                   {f(2 * (x * z + w * y)), f(2 * (y * z - w * x)), f(1 - 2 * (x * x + y * y))},
                   {0, 0, 0});
}

namespace {

// The index of the first key after the time, as std::upper_bound finds it; first tried right
// after the pair the hint names, where a walk through time finds the next one.
template <typename Key>
size_t FirstKeyAfter(const std::vector<Key>& keys, double tick, const size_t* hint) {
    if (hint != nullptr) {
        for (size_t lo = *hint; lo < *hint + 2 && lo + 1 < keys.size(); ++lo)
            if (keys[lo].tick <= tick && tick < keys[lo + 1].tick) return lo + 1;
    }
    const auto next = std::upper_bound(keys.begin(), keys.end(), tick,
                                       [](double v, const Key& k) { return v < k.tick; });
    return static_cast<size_t>(next - keys.begin());
}

// The pair of keys around the time and the fraction between them; both indexes are equal when
// the time lies outside the keys.
template <typename Key>
void Bracket(const std::vector<Key>& keys, double tick, size_t& lo, size_t& hi, double& t,
             size_t* hint) {
    t = 0.0;
    if (tick <= keys.front().tick) {
        // Before the keys the first one holds; at its time the last key of that time wins, as
        // it does at every other time that several keys share.
        lo = 0;
        while (tick == keys.front().tick && lo + 1 < keys.size() && keys[lo + 1].tick == tick) ++lo;
        hi = lo;
        return;
    }
    if (tick >= keys.back().tick) {
        lo = hi = keys.size() - 1;
        return;
    }
    const size_t next = FirstKeyAfter(keys, tick, hint);
    hi = next;
    lo = hi - 1;
    if (hint != nullptr) *hint = lo;
    t = (tick - keys[lo].tick) / (keys[hi].tick - keys[lo].tick);
}

}  // namespace

Point3 EvaluateTrack(const std::vector<VectorKey>& keys, double tick, size_t* hint) {
    if (keys.empty()) return {};
    size_t lo, hi;
    double t;
    Bracket(keys, tick, lo, hi, t, hint);
    const Point3& a = keys[lo].value;
    const Point3& b = keys[hi].value;
    auto mix = [t](float p, float q) { return static_cast<float>(p + (q - p) * t); };
    return {mix(a.x, b.x), mix(a.y, b.y), mix(a.z, b.z)};
}

Quat EvaluateTrack(const std::vector<RotationKey>& keys, double tick, size_t* hint) {
    if (keys.empty()) return {};
    size_t lo, hi;
    double t;
    Bracket(keys, tick, lo, hi, t, hint);
    if (lo == hi) return keys[lo].value;
    return Slerp(keys[lo].value, keys[hi].value, t);
}

bool AnimatedTransform::IsAnimated() const {
    return !positionKeys.empty() || !rotationKeys.empty() || !scaleKeys.empty();
}

Matrix3 AnimatedTransform::MatrixAt(TimeValue t) const {
    const double tick = t;
    const Point3 p =
        positionKeys.empty() ? position : EvaluateTrack(positionKeys, tick, &positionHint_);
    const Quat r =
        rotationKeys.empty() ? rotation : EvaluateTrack(rotationKeys, tick, &rotationHint_);
    const Point3 s = scaleKeys.empty() ? scale : EvaluateTrack(scaleKeys, tick, &scaleHint_);
    Matrix3 m = RotationMatrix(r);
    m.SetRow(0, m[0] * s.x);
    m.SetRow(1, m[1] * s.y);
    m.SetRow(2, m[2] * s.z);
    m.SetTrans(p);
    return m;
}

}  // namespace plughost
