// The matrix conventions between the import library (column vectors) and the scene model (row
// vectors), and the camera offset.
#include <gtest/gtest.h>

#include "import_internal.h"
#include "import_test_scenes.h"

using namespace plughost;
using namespace plughost::import;

namespace {

void ExpectNear(const Point3& got, const aiVector3D& want) {
    EXPECT_NEAR(got.x, want.x, 1e-4);
    EXPECT_NEAR(got.y, want.y, 1e-4);
    EXPECT_NEAR(got.z, want.z, 1e-4);
}

const aiVector3D kPoints[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-2, 0.5f, 3}};

}  // namespace

TEST(ImportTransforms, MatricesMoveEveryPointAlike) {
    const aiMatrix4x4 m = import_test::Compose(
        {1, -2, 3}, aiQuaternion(aiVector3D(1, 2, 3).Normalize(), 1.1f), {2, 0.5f, -1});
    const Matrix3 row = ToMatrix3(m);
    AnimatedTransform split;
    ASSERT_TRUE(SplitTransform(m, split, "node"));
    for (const aiVector3D& p : kPoints) {
        ExpectNear(Point3{p.x, p.y, p.z} * row, m * p);
        ExpectNear(Point3{p.x, p.y, p.z} * split.MatrixAt(0), m * p);
    }
}

TEST(ImportTransforms, ShearAndNonFiniteEntriesAreCaught) {
    aiMatrix4x4 shear;
    shear.a2 = 0.5f;  // x picks up half of y
    AnimatedTransform tm;
    EXPECT_FALSE(SplitTransform(shear, tm, "node"));
    aiMatrix4x4 broken;
    broken.b4 = std::numeric_limits<float>::quiet_NaN();
    try {
        SplitTransform(broken, tm, "node \"N\"");
        ADD_FAILURE() << "a NaN entry was accepted";
    } catch (const ImportFault& f) {
        EXPECT_EQ(f.what, "node \"N\": the transform has a non-finite entry");
    }
}

// What is left after splitting may be rounding, up to 1e-4 of the matrix's largest entry (at
// least 1), or shear beyond it. A shear s leaves about s / 2.
TEST(ImportTransforms, ShearToleranceScalesWithTheMatrix) {
    auto splits = [](float shear, float translation) {
        aiMatrix4x4 m;
        m.a2 = shear;
        m.a4 = translation;
        AnimatedTransform tm;
        return SplitTransform(m, tm, "node");
    };
    EXPECT_TRUE(splits(1.5e-4f, 0));
    EXPECT_FALSE(splits(3.5e-4f, 0));
    EXPECT_TRUE(splits(0.15f, 1000));
    EXPECT_FALSE(splits(0.35f, 1000));
}

TEST(ImportTransforms, CameraOffsetTurnsMinusZOntoTheViewDirection) {
    aiCamera camera;
    camera.mPosition = aiVector3D(1, 2, 3);
    camera.mLookAt = aiVector3D(2, 0, 0);
    camera.mUp = aiVector3D(0.5f, 0, 1);  // not square to the view: the part along it is dropped
    AnimatedTransform offset;
    CameraOffset(camera, true, offset);
    const Matrix3 m = offset.MatrixAt(0);
    ExpectNear(VectorTransform({0, 0, -1}, m), {1, 0, 0});
    ExpectNear(VectorTransform({0, 1, 0}, m), {0, 0, 1});
    ExpectNear(VectorTransform({1, 0, 0}, m), {0, -1, 0});  // right-handed
    ExpectNear(m.GetTrans(), {1, 2, 3});
    // Where the camera's position is its node's (glTF), the node alone places it.
    CameraOffset(camera, false, offset);
    ExpectNear(offset.MatrixAt(0).GetTrans(), {0, 0, 0});
    ExpectNear(VectorTransform({0, 0, -1}, offset.MatrixAt(0)), {1, 0, 0});

    // The import library's default camera looks along +Z; an up along the view still gives a
    // proper rotation.
    aiCamera upright;
    upright.mUp = aiVector3D(0, 0, 1);
    CameraOffset(upright, true, offset);
    const Matrix3 u = offset.MatrixAt(0);
    ExpectNear(VectorTransform({0, 0, -1}, u), {0, 0, 1});
    EXPECT_NEAR(DotProd(u[0], u[1]), 0.0f, 1e-5);
    EXPECT_NEAR(DotProd(CrossProd(u[0], u[1]), u[2]), 1.0f, 1e-5);
}
