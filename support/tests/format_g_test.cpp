#include "support/format_g.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "support/testing/printf_g.h"

namespace support {
namespace {

using testing::PrintfG;

TEST(FormatG, WritesThreeExponentDigits) {
    EXPECT_EQ(FormatG(1e6), "1e+006");
    EXPECT_EQ(FormatG(1.5e-5), "1.5e-005");
    EXPECT_EQ(FormatG(1e100), "1e+100");
    EXPECT_EQ(FormatG(-2.5e-300), "-2.5e-300");
    EXPECT_EQ(FormatG(0.0001), "0.0001");
    EXPECT_EQ(FormatG(123456.0), "123456");
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+006");
    EXPECT_EQ(FormatG(-0.0), "-0");
    std::string out = "x=";
    AppendG(out, 0.5);
    EXPECT_EQ(out, "x=0.5");
}

TEST(FormatG, MatchesTheCLibraryOnSpecialValues) {
    const double values[] = {
        0.0,
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<float>::min(),
        std::numeric_limits<float>::denorm_min(),
        std::numeric_limits<float>::max(),
        -std::numeric_limits<float>::lowest(),
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::denorm_min(),
        999999.5,  // rounds up into the next decade: 1e+006
        9.999995e-5,
        0.00009999995,
    };
    for (double v : values) EXPECT_EQ(FormatG(v), PrintfG(v)) << v;
}

// Floats are what the files hold, and they take their own short path. The full sweep of all
// 2^32 patterns against printf runs by hand (support/bench/format_g_sweep.cpp, format_g_sweep
// in a build); here a sample of bit patterns over every exponent.
TEST(FormatG, MatchesTheCLibraryOnSampledFloats) {
    std::mt19937 random(20261208);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t bits = random();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        ASSERT_EQ(FormatG(f), PrintfG(f)) << bits;
    }
}

// Where the short path must hand over or carry: exact halves (seven-digit integers ending in
// 5, powers of two whose expansion has seven digits), values that round up into the next
// decade, and the edges of the fixed notation.
TEST(FormatG, MatchesTheCLibraryOnTiesAndDecadeEdges) {
    for (int n = 1000000; n < 16777216; n += 997) {
        ASSERT_EQ(FormatG(static_cast<float>(n)), PrintfG(n)) << n;
        ASSERT_EQ(FormatG(static_cast<float>(n / 10 * 10 + 5)), PrintfG(n / 10 * 10 + 5)) << n;
    }
    for (int k = -149; k <= 127; ++k) {
        const float p = std::ldexp(1.0f, k);
        ASSERT_EQ(FormatG(p), PrintfG(p)) << k;
        ASSERT_EQ(FormatG(-3.0f * p), PrintfG(-3.0f * p)) << k;
    }
    for (int e = -45; e <= 38; ++e) {
        const float ten = std::pow(10.0f, static_cast<float>(e));
        for (float f : {ten, std::nextafter(ten, 0.0f),
                        std::nextafter(ten, std::numeric_limits<float>::infinity()),
                        9.999995f * ten, 9.99999f * ten, 1.000005f * ten})
            ASSERT_EQ(FormatG(f), PrintfG(f)) << f;
    }
}

}  // namespace
}  // namespace support
