#include "hostsdk/geometry.h"

#include <gtest/gtest.h>

namespace {
void ExpectNear(const Point3& a, const Point3& b) {
    EXPECT_NEAR(a.x, b.x, 1e-5f);
    EXPECT_NEAR(a.y, b.y, 1e-5f);
    EXPECT_NEAR(a.z, b.z, 1e-5f);
}

Matrix3 RotateZ90ScaleMove() {
    // Rotation of 90 degrees about z, scale 2, then a move.
    return Matrix3({0, 2, 0}, {-2, 0, 0}, {0, 0, 2}, {5, -3, 7});
}
}  // namespace

TEST(Geometry, PointTimesMatrixIsRowVectorWithTranslation) {
    const Matrix3 m = RotateZ90ScaleMove();
    ExpectNear(Point3(1, 0, 0) * m, {5, -1, 7});
    ExpectNear(Point3(0, 1, 0) * m, {3, -3, 7});
    ExpectNear(VectorTransform({0, 1, 0}, m), {-2, 0, 0});
    ExpectNear(Point3(1, 2, 3) * Matrix3(), {1, 2, 3});
}

TEST(Geometry, CrossProductFollowsRightHandRule) {
    EXPECT_EQ(CrossProd({1, 0, 0}, {0, 1, 0}), Point3(0, 0, 1));
    EXPECT_EQ(CrossProd({0, 1, 0}, {1, 0, 0}), Point3(0, 0, -1));
    EXPECT_EQ(CrossProd({2, 3, 4}, {2, 3, 4}), Point3(0, 0, 0));
    EXPECT_FLOAT_EQ(DotProd({1, 2, 3}, {4, -5, 6}), 12.0f);
}

TEST(Geometry, InverseUndoesAffineTransform) {
    const Matrix3 m = RotateZ90ScaleMove();
    const Matrix3 inv = Inverse(m);
    for (const Point3& p : {Point3(1, 2, 3), Point3(-4, 0.5f, 9), Point3(0, 0, 0)})
        ExpectNear((p * m) * inv, p);
    const Matrix3 both = m * inv;
    for (int r = 0; r < 4; ++r) ExpectNear(both[r], Matrix3()[r]);
}

TEST(Geometry, InverseOfMirrorIsItself) {
    const Matrix3 mirror({1, 0, 0}, {0, 0, -1}, {0, -1, 0}, {0, 0, 0});
    EXPECT_EQ(Inverse(mirror), mirror);
}

TEST(Geometry, SingularMatrixInvertsToIdentity) {
    const Matrix3 flat({1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {1, 1, 1});
    EXPECT_EQ(Inverse(flat), Matrix3());
}

TEST(Geometry, ProductAppliesLeftThenRight) {
    const Matrix3 a = RotateZ90ScaleMove();
    const Matrix3 b({1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {1, 2, 3});
    const Point3 p(0.5f, -2, 4);
    ExpectNear(p * (a * b), (p * a) * b);
}

TEST(Geometry, SetRowReplacesOneRow) {
    Matrix3 m;
    m.SetRow(3, {1, 2, 3});
    m.SetRow(1, {0, 0, 5});
    EXPECT_EQ(m.GetTrans(), Point3(1, 2, 3));
    EXPECT_EQ(m.GetRow(1), Point3(0, 0, 5));
    EXPECT_EQ(m.GetRow(0), Point3(1, 0, 0));
}
