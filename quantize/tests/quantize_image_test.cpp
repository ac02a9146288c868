#include "quantize/quantize_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "synth_image.h"
#include "test_support.h"

namespace quantize {
namespace {

using testing::FailureCapture;
using testing::Fingerprint;

TEST(QuantizeImage, ReturnsOneIndexPerPixelAndAFullPalette) {
    const synth::Image image = synth::Scene(64, 48, 5);
    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    ASSERT_TRUE(QuantizeImage(image.bgr.data(), 64, 48, 24, indices, palette));
    EXPECT_EQ(indices.size(), 64u * 48u);
    // A rendered scene has far more than 256 colours: every entry is used and none is black.
    EXPECT_NE(palette[0] + palette[1] + palette[2], 0);
}

TEST(QuantizeImage, OutputBytesArePinned) {
    // Tiles uses integer arithmetic only, so this fingerprint holds on every machine; a change
    // means the quantizer's arithmetic changed.
    const synth::Image image = synth::Tiles(96, 64, 21);
    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    ASSERT_TRUE(QuantizeImage(image.bgr.data(), 96, 64, 24, indices, palette));
    EXPECT_EQ(Fingerprint(indices, palette), 879113957025272028ull);
}

TEST(QuantizeImage, FailuresAreReportedAndLeaveNoBuffers) {
    struct Case {
        int width, height, bits;
        std::vector<std::string> texts;
        bool noPixels = false;
    };
    const std::vector<Case> cases = {
        {4, 4, 32, {"Nothing to quantize."}},
        {4, 4, 8, {"Nothing to quantize."}},
        {0, 7, 24, {"Nothing to quantize."}},
        {4,
         4,
         12,
         {"Invalid bit depth [12] for bitmap",
          "Unable to allocate 12-bit bitmap for color quantization"}},
        {21846,
         1,
         24,
         {"Invalid size [21846 x 1] for bitmap",
          "Unable to allocate 24-bit bitmap for color quantization"}},
        {1,
         65536,
         24,
         {"Invalid size [1 x 65536] for bitmap",
          "Unable to allocate 24-bit bitmap for color quantization"}},
        {-1,
         1,
         24,
         {"Invalid size [-1 x 1] for bitmap",
          "Unable to allocate 24-bit bitmap for color quantization"}},
        {4, 4, 24, {"No pixels given for color quantization"}, true},
    };
    const std::vector<uint8_t> pixels(4 * 4 * 4, 77);
    for (const Case& c : cases) {
        FailureCapture failures;
        std::vector<uint8_t> indices = {1, 2, 3};
        std::array<uint8_t, 768> palette;
        palette.fill(9);
        const uint8_t* data = c.noPixels ? nullptr : pixels.data();
        EXPECT_FALSE(QuantizeImage(data, c.width, c.height, c.bits, indices, palette));
        EXPECT_EQ(failures.texts, c.texts) << c.width << "x" << c.height << "@" << c.bits;
        EXPECT_TRUE(indices.empty());
        EXPECT_EQ(palette, (std::array<uint8_t, 768>{}));
    }
}

TEST(QuantizeImage, LargestRowStillFits) {
    // 21845 × 3 bytes is the widest row the 16-bit row size holds.
    const std::vector<uint8_t> pixels(21845 * 3, 40);
    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    ASSERT_TRUE(QuantizeImage(pixels.data(), 21845, 1, 24, indices, palette));
    EXPECT_EQ(indices.size(), 21845u);
    EXPECT_EQ(palette[255 * 3], 40);
}

TEST(QuantizeFailureReporter, DefaultWritesToStandardError) {
    ::testing::internal::CaptureStderr();
    ReportQuantizeFailure("Nothing to quantize.");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Nothing to quantize.\n");
}

}  // namespace
}  // namespace quantize
