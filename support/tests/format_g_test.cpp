#include "support/format_g.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

namespace support {
namespace {

// What the C library's "%g" writes, exponent widened to three digits: the reference.
std::string Reference(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    std::string text = buffer;
    const auto e = text.find('e');
    if (e != std::string::npos)
        while (text.size() - (e + 2) < 3) text.insert(e + 2, 1, '0');
    return text;
}

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
    for (double v : values) EXPECT_EQ(FormatG(v), Reference(v)) << v;
}

// Floats are what the files hold; a sample of bit patterns over every exponent. The full sweep
// of all 2^32 patterns runs by hand (bench/format-g-sweep).
TEST(FormatG, MatchesTheCLibraryOnSampledFloats) {
    std::mt19937 random(20261208);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t bits = random();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        ASSERT_EQ(FormatG(f), Reference(f)) << bits;
    }
}

}  // namespace
}  // namespace support
