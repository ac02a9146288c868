#include "quantize/color_box.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>

namespace quantize {
namespace {

constexpr double kMagnitudeScale = 0.57735027;  // 1/√3, so m stays within 0..255
constexpr std::array<double, 4> kSpreadWeights = {0.33, 0.59, 0.11, 0.7};

}  // namespace

PixEntry MakePixEntry(uint8_t c0, uint8_t c1, uint8_t c2) {
    const int sumOfSquares = c0 * c0 + c1 * c1 + c2 * c2;
    const double magnitude = std::sqrt(static_cast<double>(sumOfSquares)) * kMagnitudeScale;
    return PixEntry{{c0, c1, c2, static_cast<uint8_t>(magnitude)}};
}

namespace {

constexpr std::array<double, 4> kDistanceWeights = {0.3, 0.59, 0.11, 0.7};

// BoxDistance to fixed means with each weighted square looked up by its pixel byte: the same
// products summed in the same order, so the same doubles, without the per-pixel arithmetic.
class DistanceTable {
  public:
    explicit DistanceTable(const std::array<int16_t, 4>& mean) {
        for (int k = 0; k < 4; ++k) {
            for (int value = 0; value < 256; ++value) {
                const int d = value - mean[k];
                term_[k][value] = kDistanceWeights[k] * (d * d);
            }
        }
    }

    double operator()(const PixEntry& p) const {
        return term_[0][p.c[0]] + term_[1][p.c[1]] + term_[2][p.c[2]] + term_[3][p.c[3]];
    }

  private:
    std::array<std::array<double, 256>, 4> term_;
};

// Accumulates the statistics of one box in the fixed order of its run. It keeps its running
// values to itself (not in the box, which the compiler must assume the pixel bytes may alias),
// so they stay in registers. Two of them can work through two runs in lockstep: their float
// sums are separate dependency chains, so the processor overlaps them while each box's sums
// keep their pixel order and so their exact value.
class BoxStatsBuilder {
  public:
    explicit BoxStatsBuilder(uint32_t count) : count_(count) {}

    void AddToSums(const PixEntry& p) {
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) sum_[k] += p.c[k];
    }

    void SetMeans() {
        if (count_ == 0) return;
        const float count = static_cast<float>(count_);
        for (int k = 0; k < 4; ++k) mean_[k] = static_cast<int16_t>(sum_[k] / count);
    }

    void AddToError(const PixEntry& p) {
        std::array<int, 4> d{};
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) {
            d[k] = std::abs(mean_[k] - p.c[k]);
            spread_[k] += static_cast<float>(d[k]);
            largest_[k] = std::max(largest_[k], d[k]);
        }
        error_ +=
            0.11 * (d[2] * d[2]) + 0.59 * (d[1] * d[1]) + 0.7 * (d[3] * d[3]) + 0.3 * (d[0] * d[0]);
    }

    void WriteMeans(ColorBox& box) const {
        box.mean = mean_;
        box.error = 0.0f;
        box.spread = {};
        box.maxSpread = 0.0f;
    }

    void WriteStats(ColorBox& box) const {
        WriteMeans(box);
        box.error = error_;
        for (int k = 0; k < 4; ++k) {
            box.spread[k] = static_cast<float>(spread_[k] * kSpreadWeights[k]);
            box.spread[k] *= static_cast<float>(largest_[k]);
            if (box.spread[k] > box.maxSpread) box.maxSpread = box.spread[k];
        }
    }

  private:
    uint32_t count_;
    std::array<float, 4> sum_{};
    std::array<int16_t, 4> mean_{};
    float error_ = 0.0f;
    std::array<float, 4> spread_{};
    std::array<int, 4> largest_{};
};

// Calls step(a, pa) for each pixel of run a and step(b, pb) for each of run b, alternating.
template <class Step>
void InLockstep(std::span<const PixEntry> runA, BoxStatsBuilder& a, std::span<const PixEntry> runB,
                BoxStatsBuilder& b, Step step) {
    const std::size_t common = std::min(runA.size(), runB.size());
    for (std::size_t i = 0; i < common; ++i) {
        step(a, runA[i]);
        step(b, runB[i]);
    }
    for (std::size_t i = common; i < runA.size(); ++i) step(a, runA[i]);
    for (std::size_t i = common; i < runB.size(); ++i) step(b, runB[i]);
}

std::span<const PixEntry> RunOf(std::span<const PixEntry> pix, const ColorBox& box) {
    return pix.subspan(box.first, box.count);
}

void ComputeMeans(std::span<const PixEntry> pix, ColorBox& a, ColorBox& b) {
    BoxStatsBuilder builderA(a.count);
    BoxStatsBuilder builderB(b.count);
    InLockstep(RunOf(pix, a), builderA, RunOf(pix, b), builderB,
               [](BoxStatsBuilder& builder, const PixEntry& p) { builder.AddToSums(p); });
    builderA.SetMeans();
    builderB.SetMeans();
    builderA.WriteMeans(a);
    builderB.WriteMeans(b);
}

}  // namespace

void ComputeBoxStats(std::span<const PixEntry> pix, ColorBox& box) {
    BoxStatsBuilder builder(box.count);
    const std::span<const PixEntry> run = RunOf(pix, box);
    for (const PixEntry& p : run) builder.AddToSums(p);
    builder.SetMeans();
    for (const PixEntry& p : run) builder.AddToError(p);
    builder.WriteStats(box);
}

void ComputeBoxStats(std::span<const PixEntry> pix, ColorBox& a, ColorBox& b) {
    BoxStatsBuilder builderA(a.count);
    BoxStatsBuilder builderB(b.count);
    const std::span<const PixEntry> runA = RunOf(pix, a);
    const std::span<const PixEntry> runB = RunOf(pix, b);
    InLockstep(runA, builderA, runB, builderB,
               [](BoxStatsBuilder& builder, const PixEntry& p) { builder.AddToSums(p); });
    builderA.SetMeans();
    builderB.SetMeans();
    InLockstep(runA, builderA, runB, builderB,
               [](BoxStatsBuilder& builder, const PixEntry& p) { builder.AddToError(p); });
    builderA.WriteStats(a);
    builderB.WriteStats(b);
}

int SplitAxis(const ColorBox& box) {
    for (int k = 0; k < 4; ++k) {
        if (box.spread[k] == box.maxSpread) return k;
    }
    return 0;
}

int WorstBox(std::span<const ColorBox> boxes) {
    int worst = 0;
    for (int b = 1; b < static_cast<int>(boxes.size()); ++b) {
        if (boxes[b].error > boxes[worst].error) worst = b;
    }
    return worst;
}

double BoxDistance(const PixEntry& pixel, const std::array<int16_t, 4>& mean) {
    const int d0 = pixel.c[0] - mean[0];
    const int d1 = pixel.c[1] - mean[1];
    const int d2 = pixel.c[2] - mean[2];
    const int d3 = pixel.c[3] - mean[3];
    return kDistanceWeights[0] * (d0 * d0) + kDistanceWeights[1] * (d1 * d1) +
           kDistanceWeights[2] * (d2 * d2) + kDistanceWeights[3] * (d3 * d3);
}

void SplitBox(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added, SplitStats stats) {
    const int axis = SplitAxis(chosen);
    const int mean = chosen.mean[axis];
    const uint32_t end = chosen.first + chosen.count;
    const uint32_t split = PartitionRun(pix, chosen.first, chosen.count,
                                        [&](const PixEntry& p) { return p.c[axis] > mean; });
    added = ColorBox{};
    added.first = split;
    added.count = end - split;
    chosen.count = split - chosen.first;
    if (stats == SplitStats::kMeansOnly) {
        ComputeMeans(pix, chosen, added);
    } else {
        ComputeBoxStats(pix, chosen, added);
    }
}

void RefineSplit(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added) {
    assert(added.first == chosen.first + chosen.count);
    const uint32_t count = chosen.count + added.count;
    const uint32_t end = chosen.first + count;
    const DistanceTable toKept(chosen.mean);
    const DistanceTable toNew(added.mean);
    const uint32_t split = PartitionRun(pix, chosen.first, count, [&](const PixEntry& p) {
        // Ties stay with the chosen box.
        return toNew(p) < static_cast<float>(toKept(p));
    });
    added = ColorBox{};
    added.first = split;
    added.count = end - split;
    chosen.count = split - chosen.first;
    ComputeBoxStats(pix, chosen, added);
}

}  // namespace quantize
