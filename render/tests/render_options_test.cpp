// The sizes a run accepts.
#include "render/render_options.h"

#include <gtest/gtest.h>

namespace render {
namespace {

TEST(RenderOptions, SizeBounds) {
    auto valid = [](int x, int y, int px, int py) {
        RenderOptions o;
        o.outputSizeX = x, o.outputSizeY = y, o.padSizeX = px, o.padSizeY = py;
        return ValidOutputSize(o);
    };
    EXPECT_TRUE(valid(1600, 480, 0, 0));
    EXPECT_FALSE(valid(1601, 480, 0, 0));
    EXPECT_TRUE(valid(640, 100000, 0, 0));  // no limit on the height
    EXPECT_FALSE(valid(0, 480, 0, 0));
    EXPECT_FALSE(valid(640, 0, 0, 0));
    EXPECT_FALSE(valid(640, 480, -1, 0));
    EXPECT_FALSE(valid(20, 480, 10, 0));  // nothing left between the pads
    EXPECT_TRUE(valid(21, 480, 10, 0));
    EXPECT_FALSE(valid(640, 40, 0, 20));
    EXPECT_FALSE(valid(640, 480, 0, 2147483647));  // twice the pad must not overflow
}

}  // namespace
}  // namespace render
