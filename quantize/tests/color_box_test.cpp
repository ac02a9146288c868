#include "quantize/color_box.h"

#include <gtest/gtest.h>

#include <vector>

namespace quantize {
namespace {

std::vector<PixEntry> Pixels(std::initializer_list<std::array<uint8_t, 3>> colours) {
    std::vector<PixEntry> pix;
    for (const auto& c : colours) pix.push_back(MakePixEntry(c[0], c[1], c[2]));
    return pix;
}

std::vector<int> Component0(const std::vector<PixEntry>& pix) {
    std::vector<int> values;
    for (const PixEntry& p : pix) values.push_back(p.c[0]);
    return values;
}

ColorBox WholeRun(const std::vector<PixEntry>& pix) {
    ColorBox box;
    box.count = static_cast<uint32_t>(pix.size());
    ComputeBoxStats(pix, box);
    return box;
}

TEST(PixEntry, MagnitudeIsScaledLengthTruncated) {
    EXPECT_EQ(MakePixEntry(0, 0, 0).c[3], 0);
    EXPECT_EQ(MakePixEntry(255, 255, 255).c[3], 255);
    EXPECT_EQ(MakePixEntry(3, 4, 0).c[3], 2);      // 5 × 0.577 = 2.89
    EXPECT_EQ(MakePixEntry(10, 20, 30).c[3], 21);  // 37.42 × 0.577 = 21.60
}

TEST(PixEntry, RowsOfPixelsGiveTheSameEntriesAsOnePixelAtATime) {
    // Every sum of squares there is, in rows of odd and even length.
    std::vector<uint8_t> pixels;
    for (int c0 = 0; c0 < 256; ++c0) {
        for (int c1 = 0; c1 < 256; ++c1) {
            for (int c2 : {0, c1, 255 - c0, (c0 * 7 + c1) % 256}) {
                pixels.insert(pixels.end(), {static_cast<uint8_t>(c0), static_cast<uint8_t>(c1),
                                             static_cast<uint8_t>(c2)});
            }
        }
    }
    for (std::size_t count : {pixels.size() / 3, pixels.size() / 3 - 1, std::size_t{1}}) {
        std::vector<PixEntry> entries(count);
        MakePixEntries(pixels.data(), count, entries.data());
        for (std::size_t i = 0; i < count; ++i) {
            const PixEntry one = MakePixEntry(pixels[3 * i], pixels[3 * i + 1], pixels[3 * i + 2]);
            ASSERT_EQ(entries[i].c, one.c) << i;
        }
    }
}

TEST(ComputeBoxStats, MeansErrorAndWeightedSpreads) {
    // m is 0, 5 and 11, so its mean 16 / 3 truncates to 5.
    const auto pix = Pixels({{0, 0, 0}, {10, 0, 0}, {20, 0, 0}});
    const ColorBox box = WholeRun(pix);
    EXPECT_EQ(box.mean, (std::array<int16_t, 4>{10, 0, 0, 5}));
    EXPECT_FLOAT_EQ(box.error, 0.3f * 200 + 0.7f * (25 + 0 + 36));
    // Component 0 weighs 0.33 in the spread, not the 0.3 of the error.
    EXPECT_FLOAT_EQ(box.spread[0], 0.33f * 20 * 10);
    EXPECT_FLOAT_EQ(box.spread[3], 0.7f * 11 * 6);
    EXPECT_EQ(box.spread[1], 0.0f);
    EXPECT_EQ(box.maxSpread, box.spread[0]);
}

TEST(ComputeBoxStats, MeansTruncateAndEmptyBoxIsZero) {
    const auto pix = Pixels({{1, 2, 255}, {2, 3, 254}});
    EXPECT_EQ(WholeRun(pix).mean[0], 1);
    EXPECT_EQ(WholeRun(pix).mean[2], 254);

    ColorBox empty;
    empty.first = 1;
    empty.error = 5;
    empty.mean = {1, 2, 3, 4};
    ComputeBoxStats(pix, empty);
    EXPECT_EQ(empty.mean, (std::array<int16_t, 4>{}));
    EXPECT_EQ(empty.error, 0.0f);
    EXPECT_EQ(empty.maxSpread, 0.0f);
}

TEST(BoxSelection, TiesGoToFirstAxisAndLowestBox) {
    ColorBox box;
    box.spread = {5, 5, 1, 0};
    box.maxSpread = 5;
    EXPECT_EQ(SplitAxis(box), 0);
    box.spread = {1, 7, 7, 7};
    box.maxSpread = 7;
    EXPECT_EQ(SplitAxis(box), 1);
    box.spread = {1, 2, 3, 3};
    box.maxSpread = 3;
    EXPECT_EQ(SplitAxis(box), 2);

    std::vector<ColorBox> boxes(4);
    for (int b = 0; b < 4; ++b) boxes[b].error = std::array<float, 4>{3, 7, 7, 1}[b];
    EXPECT_EQ(WorstBox(boxes), 1);
    for (ColorBox& b : boxes) b.error = 0;
    EXPECT_EQ(WorstBox(boxes), 0);
}

TEST(PartitionRun, FollowsTheInPlaceWalk) {
    auto pix = Pixels(
        {{9, 0, 0}, {5, 0, 0}, {1, 0, 0}, {7, 0, 0}, {2, 0, 0}, {9, 0, 0}, {3, 0, 0}, {9, 0, 0}});
    // Only the run of positions 1..6 takes part.
    const auto above4 = [](const PixEntry& p) { return p.c[0] > 4; };
    EXPECT_EQ(PartitionRun(pix, 1, 6, above4), 4u);
    EXPECT_EQ(Component0(pix), (std::vector<int>{9, 3, 1, 2, 7, 9, 5, 9}));
}

TEST(PartitionRun, DegenerateRuns) {
    const auto above4 = [](const PixEntry& p) { return p.c[0] > 4; };
    auto none = Pixels({{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
    // Nothing goes last, yet the walk ends on the last pixel, which forms the upper part.
    EXPECT_EQ(PartitionRun(none, 0, 3, above4), 2u);
    EXPECT_EQ(Component0(none), (std::vector<int>{1, 2, 3}));

    auto all = Pixels({{5, 0, 0}, {6, 0, 0}, {7, 0, 0}});
    EXPECT_EQ(PartitionRun(all, 0, 3, above4), 0u);
    EXPECT_EQ(Component0(all), (std::vector<int>{5, 6, 7}));

    auto single = Pixels({{5, 0, 0}});
    EXPECT_EQ(PartitionRun(single, 0, 1, above4), 0u);
    EXPECT_EQ(PartitionRun(single, 1, 0, above4), 1u);
}

TEST(SplitBox, SplitsAtTheMeanOfTheWidestAxis) {
    auto pix = Pixels({{0, 0, 0}, {100, 0, 0}, {10, 0, 0}, {90, 0, 0}});
    ColorBox chosen = WholeRun(pix);
    ColorBox added;
    SplitBox(pix, chosen, added);
    EXPECT_EQ(Component0(pix), (std::vector<int>{0, 10, 100, 90}));
    EXPECT_EQ(chosen.first, 0u);
    EXPECT_EQ(chosen.count, 2u);
    EXPECT_EQ(added.first, 2u);
    EXPECT_EQ(added.count, 2u);
    EXPECT_EQ(chosen.mean[0], 5);
    EXPECT_EQ(added.mean[0], 95);
}

TEST(RefineSplit, MovesPixelsToTheNearerMean) {
    // The mean 25 puts 30 with 100 and 100; it lies nearer the lower mean 0.
    auto pix = Pixels({{0, 0, 0},
                       {30, 0, 0},
                       {0, 0, 0},
                       {100, 0, 0},
                       {0, 0, 0},
                       {0, 0, 0},
                       {100, 0, 0},
                       {0, 0, 0},
                       {0, 0, 0}});
    ColorBox chosen = WholeRun(pix);
    ColorBox added;
    SplitBox(pix, chosen, added);
    ASSERT_EQ(added.count, 3u);
    const auto keptMean = chosen.mean;
    const auto newMean = added.mean;

    RefineSplit(pix, chosen, added);
    EXPECT_EQ(chosen.count, 7u);
    EXPECT_EQ(added.first, 7u);
    EXPECT_EQ(added.count, 2u);
    EXPECT_EQ(added.mean[0], 100);
    EXPECT_EQ(chosen.mean[0], 4);  // 30 / 7
    for (uint32_t i = 0; i < pix.size(); ++i) {
        const bool nearerNew =
            BoxDistance(pix[i], newMean) < static_cast<float>(BoxDistance(pix[i], keptMean));
        EXPECT_EQ(nearerNew, i >= added.first) << "pixel " << i;
    }
}

}  // namespace
}  // namespace quantize
