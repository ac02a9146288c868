// Conversions between the import library's column-vector math and the scene model's
// row-vector math.
#include <algorithm>
#include <cmath>

#include "import_internal.h"

namespace plughost::import {

void Fail(std::string what) {
    throw ImportFault{std::move(what)};
}

std::string Quoted(const aiString& name) {
    return "\"" + std::string(name.C_Str()) + "\"";
}

Matrix3 ToMatrix3(const aiMatrix4x4& m) {
    // Column i of the source is the image of axis i: it becomes row i. The translation column
    // becomes row 3.
    return Matrix3({m.a1, m.b1, m.c1}, {m.a2, m.b2, m.c2}, {m.a3, m.b3, m.c3}, {m.a4, m.b4, m.c4});
}

Quat ToQuat(const aiQuaternion& q) {
    // A quaternion names the same rotation in either convention; only the order differs.
    return Normalize({q.x, q.y, q.z, q.w});
}

Point3 ToPoint3(const aiVector3D& v) {
    return {v.x, v.y, v.z};
}

bool SplitTransform(const aiMatrix4x4& m, AnimatedTransform& tm, const std::string& what) {
    const float* e = m[0];
    for (int i = 0; i < 16; ++i)
        if (!std::isfinite(e[i])) Fail(what + ": the transform has a non-finite entry");
    aiVector3D scale, position;
    aiQuaternion rotation;
    m.Decompose(scale, rotation, position);
    tm.position = ToPoint3(position);
    tm.rotation = ToQuat(rotation);
    tm.scale = ToPoint3(scale);

    // Put it back together and compare: what is left over is shear (or a projective part).
    const Matrix3 got = tm.MatrixAt(0);
    const Matrix3 want = ToMatrix3(m);
    float size = 1.0f;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) size = std::max(size, std::fabs(want[r][c]));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            if (std::fabs(got[r][c] - want[r][c]) > 1e-4f * size) return false;
    return m.d1 == 0.0f && m.d2 == 0.0f && m.d3 == 0.0f && m.d4 == 1.0f;
}

namespace {

aiVector3D Unit(const aiVector3D& v, const aiVector3D& fallback) {
    const float len = v.Length();
    return len > 1e-12f && std::isfinite(len) ? v / len : fallback;
}

}  // namespace

void CameraOffset(const aiCamera& camera, bool usePosition, AnimatedTransform& offset) {
    // Rows of the offset: the camera's x, y and z axes in the node's space, then its place.
    const aiVector3D z = -Unit(camera.mLookAt, aiVector3D(0, 0, 1));
    aiVector3D y = camera.mUp - z * (camera.mUp * z);
    if (!(y.Length() > 1e-6f)) {
        // Up along the view: any up perpendicular to it will do.
        y = std::fabs(z.y) < 0.9f ? aiVector3D(0, 1, 0) - z * z.y : aiVector3D(1, 0, 0) - z * z.x;
    }
    y = Unit(y, aiVector3D(0, 1, 0));
    const aiVector3D x = y ^ z;
    // The import library builds quaternions from column-vector matrices: axes in columns.
    const aiMatrix3x3 axes(x.x, y.x, z.x, x.y, y.y, z.y, x.z, y.z, z.z);
    offset.rotation = ToQuat(aiQuaternion(axes));
    offset.position = usePosition && std::isfinite(camera.mPosition.SquareLength())
                          ? ToPoint3(camera.mPosition)
                          : Point3{};
}

}  // namespace plughost::import
