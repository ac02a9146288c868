#include "hostsdk/geometry.h"

#include <cmath>

Point3 CrossProd(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float DotProd(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Matrix3::Matrix3() : rows_{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}} {}

Matrix3::Matrix3(const Point3& row0, const Point3& row1, const Point3& row2, const Point3& row3)
    : rows_{row0, row1, row2, row3} {}

Point3 VectorTransform(const Point3& v, const Matrix3& m) {
    return m[0] * v.x + m[1] * v.y + m[2] * v.z;
}

Point3 operator*(const Point3& p, const Matrix3& m) {
    return VectorTransform(p, m) + m[3];
}

Matrix3 Matrix3::operator*(const Matrix3& other) const {
    Matrix3 r;
    for (int i = 0; i < 3; ++i) r.rows_[i] = VectorTransform(rows_[i], other);
    r.rows_[3] = rows_[3] * other;
    return r;
}

Matrix3 Inverse(const Matrix3& m) {
    // The 3x3 part is inverted through its cofactors; the translation follows from it.
    const Point3 &a = m[0], &b = m[1], &c = m[2];
    const Point3 c0 = CrossProd(b, c), c1 = CrossProd(c, a), c2 = CrossProd(a, b);
    const double det = static_cast<double>(DotProd(a, c0));
    if (det == 0.0 || !std::isfinite(det)) return Matrix3();
    const float inv = static_cast<float>(1.0 / det);
    // Rows of the inverse are the columns of the cofactor matrix divided by the determinant.
    Matrix3 r({c0.x * inv, c1.x * inv, c2.x * inv}, {c0.y * inv, c1.y * inv, c2.y * inv},
              {c0.z * inv, c1.z * inv, c2.z * inv}, {0, 0, 0});
    r.SetTrans(-VectorTransform(m[3], r));
    return r;
}
