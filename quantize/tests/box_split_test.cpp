// The box statistics and splits against a plain transcription of their arithmetic: float sums
// one pixel after the other, the error and spreads pixel by pixel, every decision taken at
// every pixel. The real ones take shortcuts (integer sums while exact, tabulated terms, an
// integer pre-test for the reassignment, decisions gathered before the walk) that must not
// change a bit.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "quantize/color_box.h"
#include "quantize/run_flags.h"

namespace quantize {
namespace {

void PlainStats(std::span<const PixEntry> pix, ColorBox& box) {
    const std::span<const PixEntry> run = pix.subspan(box.first, box.count);
    std::array<float, 4> sum{};
    for (const PixEntry& p : run) {
        for (int k = 0; k < 4; ++k) sum[k] += p.c[k];
    }
    box.sum = sum;
    box.mean = {};
    for (int k = 0; k < 4 && box.count > 0; ++k) {
        box.mean[k] = static_cast<int16_t>(sum[k] / static_cast<float>(box.count));
    }
    float error = 0.0f;
    std::array<float, 4> spread{};
    std::array<int, 4> largest{};
    for (const PixEntry& p : run) {
        std::array<int, 4> d{};
        for (int k = 0; k < 4; ++k) {
            d[k] = std::abs(box.mean[k] - p.c[k]);
            spread[k] += static_cast<float>(d[k]);
            largest[k] = std::max(largest[k], d[k]);
        }
        error +=
            0.11 * (d[2] * d[2]) + 0.59 * (d[1] * d[1]) + 0.7 * (d[3] * d[3]) + 0.3 * (d[0] * d[0]);
    }
    box.error = error;
    box.maxSpread = 0.0f;
    const std::array<double, 4> weights = {0.33, 0.59, 0.11, 0.7};
    for (int k = 0; k < 4; ++k) {
        box.spread[k] = static_cast<float>(spread[k] * weights[k]);
        box.spread[k] *= static_cast<float>(largest[k]);
        box.maxSpread = std::max(box.maxSpread, box.spread[k]);
    }
}

template <class GoesLast>
void PlainPartition(std::vector<PixEntry>& pix, ColorBox& chosen, ColorBox& added, uint32_t count,
                    GoesLast goesLast) {
    const uint32_t end = chosen.first + count;
    const uint32_t split = PartitionRun(pix, chosen.first, count, goesLast);
    chosen.count = split - chosen.first;
    added = ColorBox{};
    added.first = split;
    added.count = end - split;
    PlainStats(pix, chosen);
    PlainStats(pix, added);
}

void PlainSplit(std::vector<PixEntry>& pix, ColorBox& chosen, ColorBox& added) {
    const int axis = SplitAxis(chosen);
    const int mean = chosen.mean[axis];
    PlainPartition(pix, chosen, added, chosen.count,
                   [&](const PixEntry& p) { return p.c[axis] > mean; });
}

void PlainRefine(std::vector<PixEntry>& pix, ColorBox& chosen, ColorBox& added) {
    const auto kept = chosen.mean;
    const auto moved = added.mean;
    PlainPartition(pix, chosen, added, chosen.count + added.count, [&](const PixEntry& p) {
        return BoxDistance(p, moved) < static_cast<float>(BoxDistance(p, kept));
    });
}

void ExpectSameBox(const ColorBox& actual, const ColorBox& expected, const std::string& what) {
    EXPECT_EQ(actual.first, expected.first) << what;
    EXPECT_EQ(actual.count, expected.count) << what;
    EXPECT_EQ(actual.sum, expected.sum) << what;
    EXPECT_EQ(actual.mean, expected.mean) << what;
    EXPECT_EQ(actual.error, expected.error) << what;
    EXPECT_EQ(actual.spread, expected.spread) << what;
    EXPECT_EQ(actual.maxSpread, expected.maxSpread) << what;
}

// Runs of the kinds the shortcuts treat differently.
std::vector<std::vector<PixEntry>> Runs() {
    std::mt19937 random(77);
    auto pixels = [&](std::size_t count, int lo, int hi) {
        std::uniform_int_distribution<int> byte(lo, hi);
        std::vector<PixEntry> pix;
        for (std::size_t i = 0; i < count; ++i) {
            pix.push_back(MakePixEntry(static_cast<uint8_t>(byte(random)),
                                       static_cast<uint8_t>(byte(random)),
                                       static_cast<uint8_t>(byte(random))));
        }
        return pix;
    };
    std::vector<std::vector<PixEntry>> runs = {
        pixels(2, 0, 255), pixels(65, 0, 255), pixels(1000, 0, 255), pixels(5000, 100, 140),
        // Bright and large: float sums past 2^24, which round.
        pixels(90000, 200, 255),
        // One colour whose rounded mean misses it, and two colours.
        std::vector<PixEntry>(90000, MakePixEntry(253, 249, 251))};
    // Black and white: spread sums past 2^24, which round.
    runs.emplace_back();
    std::bernoulli_distribution white(0.4);
    for (int i = 0; i < 300000; ++i) {
        const auto value = [&] { return static_cast<uint8_t>(white(random) ? 255 : 0); };
        runs.back().push_back(MakePixEntry(value(), value(), value()));
    }
    runs.push_back(std::vector<PixEntry>(70000, MakePixEntry(250, 250, 245)));
    runs.back().resize(100000, MakePixEntry(30, 60, 140));
    std::shuffle(runs.back().begin(), runs.back().end(), random);
    return runs;
}

TEST(BoxSplitting, SameAsPlainArithmetic) {
    for (std::vector<PixEntry>& pix : Runs()) {
        const std::string what = std::to_string(pix.size()) + " pixels";
        ColorBox whole;
        whole.count = static_cast<uint32_t>(pix.size());
        ColorBox plainWhole = whole;
        ComputeBoxStats(pix, whole);
        PlainStats(pix, plainWhole);
        ExpectSameBox(whole, plainWhole, what + ", whole");

        for (bool refine : {false, true}) {
            std::vector<PixEntry> fast = pix;
            std::vector<PixEntry> plain = pix;
            ColorBox chosen = whole;
            ColorBox added;
            ColorBox plainChosen = whole;
            ColorBox plainAdded;
            SplitBox(fast, chosen, added);
            PlainSplit(plain, plainChosen, plainAdded);
            if (refine) {
                RefineSplit(fast, chosen, added);
                PlainRefine(plain, plainChosen, plainAdded);
            }
            const std::string step = what + (refine ? ", refined" : ", split");
            ExpectSameBox(chosen, plainChosen, step + ", chosen");
            ExpectSameBox(added, plainAdded, step + ", added");
            EXPECT_TRUE(std::equal(fast.begin(), fast.end(), plain.begin(), plain.end(),
                                   [](const PixEntry& a, const PixEntry& b) { return a.c == b.c; }))
                << step << ": pixel order";
        }
    }
}

TEST(RefineSplit, SameAsPlainForMeansFarApartOrTied) {
    // The reassignment decides four pixels at a time from byte products while the means lie
    // close enough for 16-bit factors, by table otherwise, and exactly near a tie.
    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<PixEntry> pix;
    for (int i = 0; i < 1003; ++i) {
        const bool tie = i % 3 == 0;  // halfway between the tied means below
        pix.push_back(tie ? MakePixEntry(101, 101, 101)
                          : MakePixEntry(static_cast<uint8_t>(byte(random)),
                                         static_cast<uint8_t>(byte(random)),
                                         static_cast<uint8_t>(byte(random))));
    }
    using Means = std::array<int16_t, 4>;
    const std::vector<std::pair<Means, Means>> cases = {
        {{0, 0, 0, 0}, {255, 255, 255, 255}},          // factors past 16 bits
        {{100, 100, 100, 100}, {102, 102, 102, 100}},  // ties
        {{10, 200, 30, 90}, {240, 20, 200, 160}},
        {{256, 0, 256, 0}, {0, 256, 0, 256}},
    };
    for (const auto& [kept, moved] : cases) {
        std::vector<PixEntry> fast = pix;
        ColorBox chosen;
        chosen.count = 500;
        ColorBox added;
        added.first = 500;
        added.count = static_cast<uint32_t>(pix.size()) - 500;
        ComputeBoxStats(fast, chosen, added);
        chosen.mean = kept;
        added.mean = moved;
        std::vector<PixEntry> plain = pix;
        ColorBox plainChosen = chosen;
        ColorBox plainAdded = added;
        RefineSplit(fast, chosen, added);
        PlainRefine(plain, plainChosen, plainAdded);
        ExpectSameBox(chosen, plainChosen, "chosen");
        ExpectSameBox(added, plainAdded, "added");
        EXPECT_TRUE(std::equal(fast.begin(), fast.end(), plain.begin(), plain.end(),
                               [](const PixEntry& a, const PixEntry& b) { return a.c == b.c; }));
    }
}

TEST(SplitChosenBox, ReportsARunGivenAwayWhole) {
    // Many pixels of one colour: the float sums round and the mean misses the colour, below it
    // (every pixel goes to the added box at once) or above it (the split keeps all but the
    // last pixel, and the reassignment then moves them all to it). Either way no pixel moves,
    // and the added box ends with the statistics the chosen box had.
    const std::vector<std::vector<PixEntry>> runs = {
        std::vector<PixEntry>(90000, MakePixEntry(253, 249, 251)),
        std::vector<PixEntry>(274000, MakePixEntry(246, 0, 0))};
    for (std::vector<PixEntry> pix : runs) {
        ColorBox before;
        before.count = static_cast<uint32_t>(pix.size());
        ComputeBoxStats(pix, before);
        ASSERT_GT(before.error, 0.0f);
        const int axis = SplitAxis(before);
        const bool meanAbove = before.mean[axis] > pix[0].c[axis];
        for (bool refine : {false, true}) {
            ColorBox box = before;
            ColorBox added;
            const bool whole = SplitChosenBox(pix, box, added, refine);
            if (!refine && meanAbove) {
                // Without the reassignment the split keeps all but one pixel.
                EXPECT_FALSE(whole);
                EXPECT_EQ(added.count, 1u);
                continue;
            }
            EXPECT_TRUE(whole) << pix.size();
            EXPECT_EQ(box.count, 0u);
            EXPECT_EQ(box.error, 0.0f);
            ExpectSameBox(added, before, "added");
        }
    }

    // A real split is not reported.
    std::vector<PixEntry> two(100, MakePixEntry(10, 10, 10));
    two.resize(200, MakePixEntry(200, 10, 10));
    ColorBox box;
    box.count = 200;
    ComputeBoxStats(two, box);
    ColorBox added;
    EXPECT_FALSE(SplitChosenBox(two, box, added, true));
    EXPECT_EQ(added.count, 100u);
}

TEST(PartitionFlagged, SameWalkAsPartitionRun) {
    std::mt19937 random(5);
    for (uint32_t count : {0u, 1u, 2u, 3u, 63u, 64u, 65u, 127u, 128u, 300u}) {
        for (int density : {0, 1, 50, 99, 100}) {
            std::vector<PixEntry> pix;
            for (uint32_t i = 0; i < count + 3; ++i) {
                const uint8_t last = random() % 100 < static_cast<unsigned>(density) ? 1 : 0;
                pix.push_back(
                    PixEntry{{static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 0, last}});
            }
            // Runs that start inside the array and past a word of flags.
            const uint32_t first = count % 3;
            RunFlags flags;
            flags.Reset(count);
            for (uint32_t word = 0; word < count; word += 64) {
                uint64_t bits = 0;
                for (uint32_t i = word; i < std::min(count, word + 64); ++i) {
                    bits |= uint64_t{pix[first + i].c[3]} << (i - word);
                }
                flags.SetWord(word, bits);
            }
            std::vector<PixEntry> expected = pix;
            const uint32_t expectedSplit =
                PartitionRun(expected, first, count, [](const PixEntry& p) { return p.c[3] == 1; });
            EXPECT_EQ(PartitionFlagged(pix, first, flags).split, expectedSplit)
                << count << " pixels, " << density << "% going last";
            EXPECT_TRUE(std::equal(pix.begin(), pix.end(), expected.begin(),
                                   [](const PixEntry& a, const PixEntry& b) { return a.c == b.c; }))
                << count << " pixels, " << density << "% going last";
        }
    }
}

}  // namespace
}  // namespace quantize
