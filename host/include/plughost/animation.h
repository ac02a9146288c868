#pragma once
// Transform parts of a scene node and their key tracks. Key times are in ticks (doubles, so
// fractional frames survive the conversion from the scene file).
#include <cstddef>
#include <vector>

#include "hostsdk/geometry.h"
#include "hostsdk/time.h"

namespace plughost {

// A rotation as a unit quaternion (x, y, z, w).
struct Quat {
    double x = 0.0, y = 0.0, z = 0.0, w = 1.0;
};

// The quaternion scaled to unit length; the identity when it has no length.
Quat Normalize(const Quat& q);
// Spherical interpolation along the shorter arc; t in 0..1.
Quat Slerp(const Quat& a, const Quat& b, double t);
// The rotation as a matrix (rows: the rotated axes, no translation).
Matrix3 RotationMatrix(const Quat& q);

struct VectorKey {
    double tick = 0.0;
    Point3 value;
};
struct RotationKey {
    double tick = 0.0;
    Quat value;
};

// Keys in time order (equal times allowed; the later key wins from that time on).
// Times between keys interpolate; times outside hold the first or last key. `hint`, when
// given, remembers the pair of keys last found, so that times asked for in order find theirs
// in constant time; any value it holds gives the same result.
Point3 EvaluateTrack(const std::vector<VectorKey>& keys, double tick, size_t* hint = nullptr);
Quat EvaluateTrack(const std::vector<RotationKey>& keys, double tick, size_t* hint = nullptr);

// Position, rotation and scale with optional tracks; an empty track leaves the static value.
struct AnimatedTransform {
    Point3 position{0, 0, 0};
    Quat rotation;
    Point3 scale{1, 1, 1};
    std::vector<VectorKey> positionKeys;
    std::vector<RotationKey> rotationKeys;
    std::vector<VectorKey> scaleKeys;

    bool IsAnimated() const;
    // Rows: scale.x * R(1,0,0), scale.y * R(0,1,0), scale.z * R(0,0,1), position. Remembers
    // where in each track it was (the host evaluates from one thread).
    Matrix3 MatrixAt(TimeValue t) const;

  private:
    mutable size_t positionHint_ = 0, rotationHint_ = 0, scaleHint_ = 0;
};

}  // namespace plughost
