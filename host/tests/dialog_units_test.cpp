// Dialog units to pixels, with the base units of the dialogs' usual font (6 x 13 pixels).
#include "plughost/dialog_units.h"

#include <gtest/gtest.h>

namespace plughost {
namespace {

TEST(DialogUnits, RoundHalvesAwayFromZeroAsMulDivDoes) {
    EXPECT_EQ(MulDivRound(181, 13, 8), 294);  // 294.125
    EXPECT_EQ(MulDivRound(14, 13, 8), 23);    // 22.75
    EXPECT_EQ(MulDivRound(12, 13, 8), 20);    // 19.5 rounds up
    EXPECT_EQ(MulDivRound(-12, 13, 8), -20);  // and down below zero
    EXPECT_EQ(MulDivRound(5, 7, 0), 0);
    // Products beyond int's range still divide correctly.
    EXPECT_EQ(MulDivRound(2000000000, 3, 4), 1500000000);
}

TEST(DialogUnits, AControlOfTheOptionsDialogInPixels) {
    const DialogBaseUnits base{6, 13};
    // The default button "OK" at 258, 181, 50 x 14 units.
    EXPECT_EQ(DialogUnitsToPixels(258, 181, 50, 14, base), (PixelRect{387, 294, 75, 23}));
    // The whole dialog, 380 x 202 units.
    EXPECT_EQ(DialogUnitsToPixels(0, 0, 380, 202, base), (PixelRect{0, 0, 570, 328}));
}

TEST(DialogUnits, AverageWidthIsHalfTheRoundedUpWidthOf26Letters) {
    // 52 letters 312 pixels wide: 12 per 26, so 6.
    EXPECT_EQ(AverageCharWidth(312), 6);
    // 338 pixels: 13 per 26, rounded up to 7.
    EXPECT_EQ(AverageCharWidth(338), 7);
    EXPECT_EQ(AverageCharWidth(0), 0);
}

TEST(DialogUnits, PointsOnANinetySixDotScreen) {
    EXPECT_EQ(PointsToPixels(8), 11);
    EXPECT_EQ(PointsToPixels(9), 12);
    EXPECT_EQ(PointsToPixels(12), 16);
}

}  // namespace
}  // namespace plughost
