#include "camweave/list_scanner.h"

#include <gtest/gtest.h>

#include <cmath>

namespace camweave {
namespace {

TEST(ListScanner, IntegersNeedDigitsAndFitAnInt) {
    int value = 5;
    ListScanner sign("-\n");
    EXPECT_FALSE(sign.ScanInt(value));
    ListScanner huge("99999999999\n");
    EXPECT_FALSE(huge.ScanInt(value));
    ListScanner negative(" -12,");
    ASSERT_TRUE(negative.ScanInt(value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(negative.Match(','));
}

TEST(ListScanner, RealsInEveryFormScanfReads) {
    const struct {
        const char* text;
        float value;
    } cases[] = {{"1.5,", 1.5f},    {"-.25,", -0.25f}, {"3e2,", 300.0f},
                 {"+2.E-1,", 0.2f}, {"0x1p4,", 16.0f}, {"7,", 7.0f}};
    for (const auto& c : cases) {
        ListScanner file(c.text);
        float value = 0;
        ASSERT_TRUE(file.ScanFloat(value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_TRUE(file.Match(',')) << c.text;
    }
    ListScanner infinity("-INFINITY");
    float value = 0;
    ASSERT_TRUE(infinity.ScanFloat(value));
    EXPECT_TRUE(std::isinf(value) && value < 0);
}

TEST(ListScanner, IncompleteRealsFail) {
    // "0x" without a hexadecimal digit is no number either: the conversion fails.
    for (const char* text : {"1e\n", "1e+,", ".,", "-x", "", "0x,", "-0X\n", "0x.p1,"}) {
        ListScanner file(text);
        float value = 0;
        EXPECT_FALSE(file.ScanFloat(value)) << text;
    }
}

TEST(ListScanner, ScanSetNeedsOneCharacterAndCrossesLines) {
    ListScanner empty("\"\"");
    std::string name;
    EXPECT_TRUE(empty.Match('"'));
    EXPECT_FALSE(empty.ScanUntil('"', name));

    ListScanner twoLines("Lob\nby\"");
    ASSERT_TRUE(twoLines.ScanUntil('"', name));
    EXPECT_EQ(name, "Lob\nby");
}

}  // namespace
}  // namespace camweave
