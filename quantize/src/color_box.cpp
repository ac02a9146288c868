#include "quantize/color_box.h"

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

void ComputeBoxStats(std::span<const PixEntry> pix, ColorBox& box) {
    box.mean = {};
    box.error = 0.0f;
    box.spread = {};
    box.maxSpread = 0.0f;
    if (box.count == 0) return;
    const std::span<const PixEntry> run = pix.subspan(box.first, box.count);

    std::array<float, 4> sum{};
    for (const PixEntry& p : run) {
        for (int k = 0; k < 4; ++k) sum[k] += p.c[k];
    }
    const float count = static_cast<float>(box.count);
    for (int k = 0; k < 4; ++k) box.mean[k] = static_cast<int16_t>(sum[k] / count);

    std::array<int, 4> largest{};
    for (const PixEntry& p : run) {
        std::array<int, 4> d{};
        for (int k = 0; k < 4; ++k) {
            d[k] = std::abs(box.mean[k] - p.c[k]);
            box.spread[k] += static_cast<float>(d[k]);
            if (d[k] > largest[k]) largest[k] = d[k];
        }
        box.error +=
            0.11 * (d[2] * d[2]) + 0.59 * (d[1] * d[1]) + 0.7 * (d[3] * d[3]) + 0.3 * (d[0] * d[0]);
    }

    for (int k = 0; k < 4; ++k) {
        box.spread[k] = static_cast<float>(box.spread[k] * kSpreadWeights[k]);
        box.spread[k] *= static_cast<float>(largest[k]);
        if (box.spread[k] > box.maxSpread) box.maxSpread = box.spread[k];
    }
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
    return 0.3 * (d0 * d0) + 0.59 * (d1 * d1) + 0.11 * (d2 * d2) + 0.7 * (d3 * d3);
}

void SplitBox(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added) {
    const int axis = SplitAxis(chosen);
    const int mean = chosen.mean[axis];
    const uint32_t end = chosen.first + chosen.count;
    const uint32_t split = PartitionRun(pix, chosen.first, chosen.count,
                                        [&](const PixEntry& p) { return p.c[axis] > mean; });
    added = ColorBox{};
    added.first = split;
    added.count = end - split;
    chosen.count = split - chosen.first;
    ComputeBoxStats(pix, chosen);
    ComputeBoxStats(pix, added);
}

void RefineSplit(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added) {
    assert(added.first == chosen.first + chosen.count);
    const uint32_t count = chosen.count + added.count;
    const uint32_t end = chosen.first + count;
    const std::array<int16_t, 4> keptMean = chosen.mean;
    const std::array<int16_t, 4> newMean = added.mean;
    const uint32_t split = PartitionRun(pix, chosen.first, count, [&](const PixEntry& p) {
        // Ties stay with the chosen box.
        return BoxDistance(p, newMean) < static_cast<float>(BoxDistance(p, keptMean));
    });
    added = ColorBox{};
    added.first = split;
    added.count = end - split;
    chosen.count = split - chosen.first;
    ComputeBoxStats(pix, chosen);
    ComputeBoxStats(pix, added);
}

}  // namespace quantize
