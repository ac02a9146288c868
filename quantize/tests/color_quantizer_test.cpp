#include "quantize/color_quantizer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "synth_image.h"
#include "test_support.h"

namespace quantize {
namespace {

using testing::FailureCapture;

std::unique_ptr<QuantBitmap> MakeBitmap(const synth::Image& image) {
    auto bitmap = QuantBitmap::Create(image.width, image.height, 24);
    std::memcpy(bitmap->Data().data(), image.bgr.data(), image.bgr.size());
    return bitmap;
}

std::unique_ptr<QuantBitmap> FilledBitmap(int width, int height, std::array<uint8_t, 3> colour) {
    synth::Image image{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        image.bgr.insert(image.bgr.end(), colour.begin(), colour.end());
    return MakeBitmap(image);
}

std::array<uint8_t, 3> PaletteEntry(const QuantBitmap& mapped, int index) {
    const auto palette = mapped.Palette();
    return {palette[index * 3], palette[index * 3 + 1], palette[index * 3 + 2]};
}

TEST(ColorQuantizer, OneColourFillsTheLastEntryInReversedByteOrder) {
    ColorQuantizer quantizer;
    auto bitmap = FilledBitmap(5, 3, {10, 20, 30});
    ASSERT_TRUE(quantizer.AddBitmap(*bitmap));
    ASSERT_TRUE(quantizer.BuildPalette());
    EXPECT_EQ(quantizer.Boxes()[0].error, 0.0f);
    EXPECT_EQ(quantizer.Boxes()[1].count, 0u);  // no split happened
    EXPECT_TRUE(quantizer.PixArray().empty());  // released once the palette is built
    ASSERT_TRUE(quantizer.RemapBitmap(bitmap));

    ASSERT_EQ(bitmap->BitsPerPixel(), 8);
    for (int e = 0; e < 255; ++e) EXPECT_EQ(PaletteEntry(*bitmap, e), (std::array<uint8_t, 3>{}));
    EXPECT_EQ(PaletteEntry(*bitmap, 255), (std::array<uint8_t, 3>{30, 20, 10}));
    for (uint8_t index : bitmap->Data()) EXPECT_EQ(index, 255);
}

TEST(ColorQuantizer, AllBlackMapsEveryPixelToEntryZero) {
    std::vector<std::unique_ptr<QuantBitmap>> list;
    list.push_back(FilledBitmap(4, 4, {0, 0, 0}));
    ColorQuantizer quantizer;
    ASSERT_TRUE(quantizer.QuantizeBitmaps(list));
    for (uint8_t byte : list[0]->Palette()) EXPECT_EQ(byte, 0);
    for (uint8_t index : list[0]->Data()) EXPECT_EQ(index, 0);
}

TEST(ColorQuantizer, FewColoursStopSplittingAndStayExact) {
    const std::vector<std::array<uint8_t, 3>> colours = {
        {200, 100, 50}, {10, 20, 30}, {0, 0, 255}, {90, 180, 40}};
    synth::Image image{8, 2, {}};
    for (int i = 0; i < 16; ++i) {
        const auto& c = colours[(i * 7) % 4];
        image.bgr.insert(image.bgr.end(), c.begin(), c.end());
    }
    auto bitmap = MakeBitmap(image);
    ColorQuantizer quantizer;
    ASSERT_TRUE(quantizer.AddBitmap(*bitmap));
    ASSERT_TRUE(quantizer.BuildPalette());
    EXPECT_GT(quantizer.Boxes()[3].count, 0u);
    EXPECT_EQ(quantizer.Boxes()[4].count, 0u);
    ASSERT_TRUE(quantizer.RemapBitmap(bitmap));

    for (int e = 0; e < 252; ++e) EXPECT_EQ(PaletteEntry(*bitmap, e), (std::array<uint8_t, 3>{}));
    for (int e = 252; e < 255; ++e) {
        const float lum = quantizer.FloatPalette()[e].lum;
        EXPECT_LT(lum, quantizer.FloatPalette()[e + 1].lum);
    }
    for (int i = 0; i < 16; ++i) {
        const auto entry = PaletteEntry(*bitmap, bitmap->Data()[i]);
        EXPECT_EQ(entry, (std::array<uint8_t, 3>{image.bgr[i * 3 + 2], image.bgr[i * 3 + 1],
                                                 image.bgr[i * 3]}));
    }
}

TEST(ColorQuantizer, OtherDepthsQuantizeNothing) {
    for (int bits : {8, 15, 16, 32}) {
        FailureCapture failures;
        std::vector<std::unique_ptr<QuantBitmap>> list;
        list.push_back(QuantBitmap::Create(4, 4, bits));
        ColorQuantizer quantizer;
        EXPECT_FALSE(quantizer.QuantizeBitmaps(list)) << bits;
        EXPECT_EQ(failures.texts, (std::vector<std::string>{"Nothing to quantize."})) << bits;
        EXPECT_EQ(list[0]->BitsPerPixel(), bits);
    }
}

TEST(ColorQuantizer, ImagesInOneListShareOnePalette) {
    std::vector<std::unique_ptr<QuantBitmap>> list;
    list.push_back(MakeBitmap(synth::Scene(40, 30, 1)));
    list.push_back(QuantBitmap::Create(3, 3, 32));
    list.push_back(MakeBitmap(synth::Gradient(17, 9)));
    list[2]->SetName("a name longer than the field holds");
    ColorQuantizer quantizer;
    ASSERT_TRUE(quantizer.QuantizeBitmaps(list));
    EXPECT_EQ(list[0]->BitsPerPixel(), 8);
    EXPECT_EQ(list[1]->BitsPerPixel(), 32);
    ASSERT_EQ(list[2]->BitsPerPixel(), 8);
    EXPECT_EQ(list[2]->Width(), 17);
    EXPECT_EQ(list[2]->Name(), "a name longer than ");
    EXPECT_TRUE(std::equal(list[0]->Palette().begin(), list[0]->Palette().end(),
                           list[2]->Palette().begin()));
}

TEST(ColorQuantizer, ProgressStaysInRangeAndAbortFailsWithoutText) {
    const synth::Image image = synth::Scene(24, 10, 3);
    std::vector<std::string> phases;
    {
        ColorQuantizer quantizer;
        quantizer.SetProgressHook([&](std::string_view phase, int total, int current) {
            EXPECT_GE(current, 0);
            EXPECT_LT(current, total);
            if (phases.empty() || phases.back() != phase) phases.emplace_back(phase);
            return false;
        });
        std::vector<std::unique_ptr<QuantBitmap>> list;
        list.push_back(MakeBitmap(image));
        ASSERT_TRUE(quantizer.QuantizeBitmaps(list));
    }
    EXPECT_EQ(phases, (std::vector<std::string>{"Phase 1", "Phase 2", "Phase 3"}));

    for (const std::string abortIn : {"Phase 1", "Phase 2", "Phase 3"}) {
        FailureCapture failures;
        ColorQuantizer quantizer;
        quantizer.SetProgressHook([&](std::string_view phase, int, int current) {
            return phase == abortIn && current == 3;
        });
        std::vector<std::unique_ptr<QuantBitmap>> list;
        list.push_back(MakeBitmap(image));
        EXPECT_FALSE(quantizer.QuantizeBitmaps(list)) << abortIn;
        EXPECT_TRUE(failures.texts.empty()) << abortIn;
        EXPECT_EQ(list[0]->BitsPerPixel(), 24) << abortIn;
    }
}

TEST(ColorQuantizer, MappingEqualsThePlainSearchOnWholeImages) {
    const std::vector<synth::Image> images = {
        synth::Scene(160, 120, 7), synth::Scene(97, 61, 8),     synth::Gradient(128, 96),
        synth::Noise(64, 48, 9),   synth::Noise(80, 40, 10, 6), synth::Tiles(72, 54, 11)};
    for (const synth::Image& image : images) {
        ColorQuantizer quantizer;
        auto bitmap = MakeBitmap(image);
        ASSERT_TRUE(quantizer.AddBitmap(*bitmap));
        ASSERT_TRUE(quantizer.BuildPalette());
        const auto expected =
            testing::PlainRemap(quantizer.FloatPalette(), image.bgr, image.width, image.height);
        ASSERT_TRUE(quantizer.RemapBitmap(bitmap));
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bitmap->Data().begin()))
            << image.width << "x" << image.height;
    }
}

}  // namespace
}  // namespace quantize
