#include "quantize/palette_mapper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "test_support.h"

namespace quantize {
namespace {

using Palette = std::vector<FloatPaletteEntry>;

int FastNearest(const Palette& palette, std::array<uint8_t, 3> pixel) {
    PaletteMapper mapper(palette);
    return mapper.Nearest(pixel[0], pixel[1], pixel[2]);
}

TEST(MapDistance, WeightsComponentsAndLuminance) {
    const FloatPaletteEntry black = MakeFloatPaletteEntry(0, 0, 0);
    // L of (10, 0, 0) is 3: 0.3 × 100 + 0.15 × 9.
    EXPECT_FLOAT_EQ(MapDistance(black, MakeMapColor(10, 0, 0)), 31.35f);
    EXPECT_FLOAT_EQ(MapDistance(black, MakeMapColor(0, 0, 10)),
                    0.11f * 100 + 0.15f * 0.0121f * 100);
    EXPECT_EQ(MakeMapColor(255, 255, 255).lum, 255.0f);
}

TEST(PaletteMapper, EqualDistancesGoToTheLowerIndex) {
    const FloatPaletteEntry darker = MakeFloatPaletteEntry(90, 100, 100);
    const FloatPaletteEntry brighter = MakeFloatPaletteEntry(110, 100, 100);
    const FloatPaletteEntry grey = MakeMapColor(100, 100, 100);
    ASSERT_EQ(MapDistance(darker, grey), MapDistance(brighter, grey));
    EXPECT_EQ(FastNearest({darker, brighter}, {100, 100, 100}), 0);
    EXPECT_EQ(FastNearest({brighter, darker}, {100, 100, 100}), 0);

    // A duplicate never beats its first occurrence.
    const FloatPaletteEntry black = MakeFloatPaletteEntry(0, 0, 0);
    EXPECT_EQ(FastNearest({grey, black, black, grey}, {100, 100, 100}), 0);
    EXPECT_EQ(FastNearest({grey, black, black, grey}, {0, 0, 0}), 1);
}

TEST(PaletteMapper, FarPixelsKeepThePreviousIndexInScanOrder) {
    // White lies more than 9999 away from black and from grey 100.
    Palette palette(4, MakeFloatPaletteEntry(0, 0, 0));
    palette[3] = MakeFloatPaletteEntry(100, 100, 100);
    PaletteMapper mapper(palette);
    EXPECT_EQ(mapper.Nearest(255, 255, 255), -1);

    const uint8_t W = 255;
    const uint8_t G = 100;
    const std::vector<uint8_t> row = {W, W, W, G, G, G, W, W, W, W, W, W};
    std::vector<uint8_t> indices(4, 99);
    mapper.MapRow(row.data(), 4, 0, indices.data());  // even: last pixel first
    EXPECT_EQ(indices, (std::vector<uint8_t>{3, 3, 0, 0}));
    mapper.MapRow(row.data(), 4, 1, indices.data());  // odd: first pixel first
    EXPECT_EQ(indices, (std::vector<uint8_t>{0, 3, 3, 3}));
}

TEST(PaletteMapper, EmptyPaletteFindsNothing) {
    EXPECT_EQ(FastNearest({}, {1, 2, 3}), -1);
}

// Palettes with the features that trip pruning: duplicates, clusters of equal luminance,
// fractional components, black entries at the front, entries far apart, entries crowded into a
// small part of the cube (as a photograph's are).
Palette RandomPalette(std::mt19937& random, int kind) {
    std::uniform_int_distribution<int> byte(0, 255);
    Palette palette;
    for (int e = 0; e < 256; ++e) {
        if (kind == 0 && e < 40) {
            palette.push_back(MakeFloatPaletteEntry(0, 0, 0));
        } else if (kind == 1) {
            palette.push_back(MakeFloatPaletteEntry(
                static_cast<float>(byte(random)) + 0.25f * static_cast<float>(byte(random) % 4),
                static_cast<float>(byte(random)), static_cast<float>(byte(random))));
        } else if (kind == 2 && e % 3 != 0) {
            palette.push_back(palette.back());
        } else if (kind == 3) {
            const int grey = byte(random) / 32 * 32;
            palette.push_back(MakeFloatPaletteEntry(grey, grey, grey));
        } else if (kind == 5) {
            palette.push_back(MakeFloatPaletteEntry(
                100 + byte(random) % 40, 100 + byte(random) % 40, 100 + byte(random) % 40));
        } else {
            palette.push_back(MakeFloatPaletteEntry(byte(random), byte(random), byte(random)));
        }
    }
    if (kind != 1) {
        std::stable_sort(palette.begin(), palette.end(),
                         [](const auto& a, const auto& b) { return a.lum < b.lum; });
    }
    return palette;
}

TEST(PaletteMapper, FastSearchEqualsPlainSearchOnRandomPalettes) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 24; ++round) {
        const Palette palette = RandomPalette(random, round % 6);
        PaletteMapper mapper(palette);
        for (int i = 0; i < 20000; ++i) {
            // Repeat some colours so the cache answers too; half of them near the crowd.
            const int near = i % 2 == 0 ? 0 : 90;
            const int range = i % 2 == 0 ? 256 : 60;
            const uint8_t pixel[3] = {static_cast<uint8_t>(near + byte(random) % range),
                                      static_cast<uint8_t>(near + byte(random) % range % 64),
                                      static_cast<uint8_t>(near + byte(random) % range)};
            const int plain = testing::PlainNearest(palette, pixel, -1);
            ASSERT_EQ(mapper.Nearest(pixel[0], pixel[1], pixel[2]), plain)
                << "round " << round << " pixel " << int(pixel[0]) << "," << int(pixel[1]) << ","
                << int(pixel[2]);
        }
    }
}

TEST(PaletteMapper, CellByCellMappingEqualsPlainSearch) {
    // Noise with greys, which tie between grey entries, pixels far from every entry, which take
    // their neighbour's index in scan order, and pixels in the crowd of the crowded palettes,
    // whose cells are split.
    std::mt19937 random(777);
    std::uniform_int_distribution<int> byte(0, 255);
    const int width = 61;
    const int height = 37;
    for (int round = 0; round < 12; ++round) {
        const Palette palette = RandomPalette(random, round % 6);
        std::vector<uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
        for (std::size_t p = 0; p < bgr.size() / 3; ++p) {
            uint8_t* pixel = &bgr[p * 3];
            const int grey = byte(random);
            for (int k = 0; k < 3; ++k) {
                const int value = p % 4 == 0   ? grey
                                  : p % 4 == 1 ? 90 + byte(random) % 60
                                               : byte(random);
                pixel[k] = static_cast<uint8_t>(value);
            }
        }
        const std::vector<uint8_t> expected = testing::PlainRemap(palette, bgr, width, height);
        // From an odd row too: each row's direction follows its number.
        for (int firstRow : {0, 1}) {
            PaletteMapper mapper(palette);
            const std::size_t at = static_cast<std::size_t>(firstRow) * width;
            std::vector<uint8_t> indices(expected.size(), 0);
            mapper.MapRows(bgr.data() + at * 3, width, firstRow, height - firstRow,
                           indices.data() + at);
            EXPECT_TRUE(std::equal(expected.begin() + static_cast<std::ptrdiff_t>(at),
                                   expected.end(),
                                   indices.begin() + static_cast<std::ptrdiff_t>(at)))
                << "round " << round << " from row " << firstRow;
        }
    }
}

}  // namespace
}  // namespace quantize
