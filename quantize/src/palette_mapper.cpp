#include "quantize/palette_mapper.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quantize {
namespace {

constexpr int kCacheBits = 16;

// A lower bound of the double distance that MapDistance rounds, from the luminance difference
// alone. The colour terms are at least ΔL² by Cauchy-Schwarz (their weights sum to 1 and
// weight the same differences as L does); the margin covers the float rounding of the two
// luminances and of their difference (a few 1e-5 at most) and of the sums. The bound grows
// with |ΔL|, so a search walking away from the colour's luminance can stop at the first entry
// it rules out.
double DistanceLowerBound(float lumDifference) {
    const double gap = std::fabs(static_cast<double>(lumDifference));
    const double colourGap = std::max(0.0, gap - 1e-3);
    return (colourGap * colourGap * 0.999999 + 0.15 * (gap * gap)) * 0.999999999;
}

// The smallest double that MapDistance would have to reach to round above `best`.
double FirstDistanceAbove(float best) {
    return static_cast<double>(std::nextafter(best, std::numeric_limits<float>::infinity()));
}

bool SameEntry(const FloatPaletteEntry& a, const FloatPaletteEntry& b) {
    return a.c0 == b.c0 && a.c1 == b.c1 && a.c2 == b.c2 && a.lum == b.lum;
}

}  // namespace

float Luminance(float c0, float c1, float c2) {
    return static_cast<float>(0.3 * c0 + 0.59 * c1 + 0.11 * c2);
}

FloatPaletteEntry MakeFloatPaletteEntry(float c0, float c1, float c2) {
    return FloatPaletteEntry{c0, c1, c2, Luminance(c0, c1, c2)};
}

FloatPaletteEntry MakeMapColor(uint8_t c0, uint8_t c1, uint8_t c2) {
    const float f0 = c0;
    const float f1 = c1;
    const float f2 = c2;
    return FloatPaletteEntry{f0, f1, f2, std::clamp(Luminance(f0, f1, f2), 0.0f, 255.0f)};
}

float MapDistance(const FloatPaletteEntry& entry, const FloatPaletteEntry& color) {
    // Each float difference squares exactly in double.
    const double d0 = entry.c0 - color.c0;
    const double d1 = entry.c1 - color.c1;
    const double d2 = entry.c2 - color.c2;
    const double dl = entry.lum - color.lum;
    return static_cast<float>(0.3 * (d0 * d0) + 0.59 * (d1 * d1) + 0.11 * (d2 * d2) +
                              0.15 * (dl * dl));
}

PaletteMapper::PaletteMapper(std::span<const FloatPaletteEntry> palette)
    : cache_(std::size_t{1} << kCacheBits) {
    // A later duplicate has the same distance as its first occurrence and loses the tie.
    for (int index = 0; index < static_cast<int>(palette.size()); ++index) {
        const FloatPaletteEntry& entry = palette[static_cast<std::size_t>(index)];
        const bool seen =
            std::any_of(candidates_.begin(), candidates_.end(),
                        [&](const Candidate& c) { return SameEntry(c.entry, entry); });
        if (!seen) candidates_.push_back(Candidate{entry, index});
    }
    std::stable_sort(
        candidates_.begin(), candidates_.end(),
        [](const Candidate& a, const Candidate& b) { return a.entry.lum < b.entry.lum; });
    for (const Candidate& c : candidates_) candidateLum_.push_back(c.entry.lum);
}

int PaletteMapper::Search(const FloatPaletteEntry& color) const {
    const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(candidates_.size());
    std::ptrdiff_t up = std::lower_bound(candidateLum_.begin(), candidateLum_.end(), color.lum) -
                        candidateLum_.begin();
    std::ptrdiff_t down = up - 1;

    float bestDistance = kMapStartBound;
    int bestIndex = -1;
    double ruledOutFrom = FirstDistanceAbove(bestDistance);
    // The result is the smallest (distance, index) pair below the start bound, so the order
    // of visits does not matter; walking outwards lets each side stop at its first miss.
    while (up < count || down >= 0) {
        const bool takeUp =
            up < count &&
            (down < 0 || candidateLum_[static_cast<std::size_t>(up)] - color.lum <=
                             color.lum - candidateLum_[static_cast<std::size_t>(down)]);
        std::ptrdiff_t& side = takeUp ? up : down;
        const Candidate& candidate = candidates_[static_cast<std::size_t>(side)];
        if (DistanceLowerBound(candidate.entry.lum - color.lum) >= ruledOutFrom) {
            side = takeUp ? count : -1;
            continue;
        }
        const float distance = MapDistance(candidate.entry, color);
        if (distance < bestDistance ||
            (distance == bestDistance && bestIndex >= 0 && candidate.index < bestIndex)) {
            bestDistance = distance;
            bestIndex = candidate.index;
            ruledOutFrom = FirstDistanceAbove(bestDistance);
        }
        side += takeUp ? 1 : -1;
    }
    return bestIndex;
}

int PaletteMapper::Nearest(uint8_t c0, uint8_t c1, uint8_t c2) {
    const uint32_t colour = c0 | (uint32_t{c1} << 8) | (uint32_t{c2} << 16);
    const uint32_t tag = colour + (uint32_t{1} << 24);
    CacheSlot& slot = cache_[(colour * 2654435761u) >> (32 - kCacheBits)];
    if (slot.tag != tag) {
        slot.tag = tag;
        slot.index = Search(MakeMapColor(c0, c1, c2));
    }
    return slot.index;
}

void PaletteMapper::MapRow(const uint8_t* pixels, int width, int row, uint8_t* indices) {
    const bool lastToFirst = row % 2 == 0;
    int previous = 0;
    for (int step = 0; step < width; ++step) {
        const int x = lastToFirst ? width - 1 - step : step;
        const uint8_t* pixel = pixels + static_cast<std::ptrdiff_t>(x) * 3;
        int index = Nearest(pixel[0], pixel[1], pixel[2]);
        if (index < 0) index = previous;
        indices[x] = static_cast<uint8_t>(index);
        previous = index;
    }
}

}  // namespace quantize
