#include "skeleton/bone_matrix.h"

#include <gtest/gtest.h>

#include "frame/export_settings.h"
#include "frame/testing/test_support.h"
#include "frame/text_output.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;

namespace {

class BoneMatrix : public ::testing::Test {
  protected:
    void Set(float scale, bool rotate) {
        settings.scaleFactor = scale;
        settings.rotate180 = rotate ? 1 : 0;
    }
    std::string Lines(const Matrix3& tm) const {
        std::string out;
        AppendBoneMatrix(out, tm, settings);
        return out;
    }
    Point3 ConvertDirection(const Point3& v) const {
        return skeleton::ConvertDirection(v, settings);
    }
    Point3 ConvertPosition(const Point3& p) const { return skeleton::ConvertPosition(p, settings); }

    ExportSettings settings;
};

TEST_F(BoneMatrix, DirectionsSwapYAndZ) {
    Set(1, false);
    EXPECT_EQ(ConvertDirection({0.5f, 0.25f, 1}), Point3(0.5f, 1, 0.25f));
    Set(1, true);
    EXPECT_EQ(ConvertDirection({0.5f, 0.25f, 1}), Point3(-0.5f, 1, -0.25f));
}

TEST_F(BoneMatrix, PositionsAreScaledAndDividedByTwelve) {
    Set(1, false);
    EXPECT_EQ(ConvertPosition({12, 24, 36}), Point3(1, 3, 2));
    Set(2, true);
    EXPECT_EQ(ConvertPosition({12, 24, 36}), Point3(-2, 6, -4));
    // Scale 12 cancels the division: the host position with y and z exchanged.
    Set(12, false);
    const Point3 p = ConvertPosition({1.5f, -2.25f, 100});
    EXPECT_EQ(p, Point3(1.5f, 100, -2.25f));
    // Also where the float product x * 12 would round: the scaling runs in double throughout.
    const float x = 0x1.c9e9ecp+9f;  // 915.8275146484375
    EXPECT_EQ(ConvertPosition({x, 0, -x}), Point3(x, -x, 0));
    EXPECT_EQ(Lines(Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {x, 0, 0})),
              "1,0,0\r\n0,1,0\r\n0,0,1\r\n915.828,0,0\r\n");
    // The product is rounded to float once, after the double 1/12.
    Set(1, false);
    EXPECT_EQ(ConvertPosition({1, 0, 0}).x, static_cast<float>(1.0 / 12.0));
}

TEST_F(BoneMatrix, RowsAreWrittenAsRowZeroTwoOneThenPosition) {
    const Matrix3 tm({1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {120, 240, 360});
    Set(1, false);
    EXPECT_EQ(Lines(tm), "1,3,2\r\n7,9,8\r\n4,6,5\r\n10,30,20\r\n");
    Set(1, true);
    EXPECT_EQ(Lines(tm), "-1,3,-2\r\n-7,9,-8\r\n-4,6,-5\r\n-10,30,-20\r\n");
    Set(12, false);
    const Matrix3 small({0.5f, 0.25f, 1}, {0, 1, 0}, {0, 0, 1}, {1e-6f, 0, 2e6f});
    EXPECT_EQ(Lines(small), "0.5,1,0.25\r\n0,1,0\r\n0,0,1\r\n1e-006,2e+006,0\r\n");
}

TEST_F(BoneMatrix, WritesThroughTheFileWriter) {
    TempFolder dir;
    TextFileWriter out;
    ASSERT_TRUE(out.Open(dir.File("m.txt")));
    Set(12, false);
    WriteBoneMatrix(Matrix3(), settings, out);
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadFile(dir.File("m.txt")), "1,0,0\r\n0,1,0\r\n0,0,1\r\n0,0,0\r\n");
}

}  // namespace

}  // namespace skeleton
