#include "quantize/candidate_grid.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "lanes.h"

namespace quantize {
namespace {

// Beyond every colour: its distance to any colour exceeds the start bound of the search.
constexpr float kFarAway = 1e6f;

// The colours of one cell and the range of their luminances: the luminance grows with every
// component, and the float rounding of a pixel's luminance (1e-5 at most) stays far inside the
// widening.
struct CellRange {
    Float4 lo;  // c0, c1, c2, luminance
    Float4 hi;
};

CellRange RangeOfCell(int bits, int i0, int i1, int i2) {
    const int size = 1 << bits;
    const float lo0 = static_cast<float>(i0 * size);
    const float lo1 = static_cast<float>(i1 * size);
    const float lo2 = static_cast<float>(i2 * size);
    const float last = static_cast<float>(size - 1);
    const float lumLo = static_cast<float>(0.3 * lo0 + 0.59 * lo1 + 0.11 * lo2 - 1e-3);
    const float lumHi =
        static_cast<float>(0.3 * (lo0 + last) + 0.59 * (lo1 + last) + 0.11 * (lo2 + last) + 1e-3);
    return CellRange{{lo0, lo1, lo2, lumLo}, {lo0 + last, lo1 + last, lo2 + last, lumHi}};
}

// MapDistance's weighted squares of four entries' differences, in float: the slack below
// allows for the rounding.
Float4 Weighted(Float4 d0, Float4 d1, Float4 d2, Float4 dl) {
    return 0.3f * (d0 * d0) + 0.59f * (d1 * d1) + 0.11f * (d2 * d2) + 0.15f * (dl * dl);
}

// Each value's distance to the range [lo, hi], and to the far end of it.
Float4 Gap(Float4 values, float lo, float hi) {
    const Float4 zero{};
    return Max(Splat(lo) - values, zero) + Max(values - Splat(hi), zero);
}
Float4 Reach(Float4 values, float lo, float hi) {
    return Max(values - Splat(lo), Splat(hi) - values);
}

// How far the float bounds and MapDistance may lie from the true distances: MapDistance rounds
// the luminance difference (below 2e-5, so below 0.002 once squared and weighted) and its
// result (below 0.005 at the largest distances); the float bounds are within 1e-6 relative. An
// entry whose least distance exceeds the smallest greatest distance by more than this is never
// nearest to a colour of the cell, nor tied with the nearest.
float Slack(float distance) {
    return 0.05f + distance * 1e-5f;
}

// Calls out(i) for each entry i of `from` that can be nearest to a colour of the cell or tie
// with the nearest, in the order of `from`.
template <class Out>
void SelectCandidates(const CandidateGrid::Candidates& from, const CellRange& range, Out out) {
    auto load = [](const float* values) {
        Float4 lanes;
        std::memcpy(&lanes, values, sizeof lanes);
        return lanes;
    };
    Float4 smallestUpper = Splat(std::numeric_limits<float>::infinity());
    for (std::size_t i = 0; i < from.count; i += 4) {
        smallestUpper =
            Min(smallestUpper, Weighted(Reach(load(from.c0 + i), range.lo[0], range.hi[0]),
                                        Reach(load(from.c1 + i), range.lo[1], range.hi[1]),
                                        Reach(load(from.c2 + i), range.lo[2], range.hi[2]),
                                        Reach(load(from.lum + i), range.lo[3], range.hi[3])));
    }
    const float smallest = std::min(std::min(smallestUpper[0], smallestUpper[1]),
                                    std::min(smallestUpper[2], smallestUpper[3]));
    const float limit = smallest + Slack(smallest);
    for (std::size_t i = 0; i < from.count; i += 4) {
        const Float4 lower = Weighted(Gap(load(from.c0 + i), range.lo[0], range.hi[0]),
                                      Gap(load(from.c1 + i), range.lo[1], range.hi[1]),
                                      Gap(load(from.c2 + i), range.lo[2], range.hi[2]),
                                      Gap(load(from.lum + i), range.lo[3], range.hi[3]));
        for (unsigned near = LanesNotAbove(lower, Splat(limit)); near != 0; near &= near - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(near));
            if (from.position[at] >= 0) out(from.position[at]);
        }
    }
}

}  // namespace

CandidateGrid::Run CandidateGrid::Lists::Append(std::span<const FloatPaletteEntry> entries,
                                                std::span<const int32_t> list) {
    const std::size_t count = (list.size() + 3) / 4 * 4;
    if (fieldBlocks.empty() || BlockEntries() - used < count) {
        // Left uninitialised: every entry is written before it is read.
        fieldBlocks.emplace_back(new float[4 * BlockEntries()]);
        positionBlocks.emplace_back(new int32_t[BlockEntries()]);
        used = 0;
    }
    const std::size_t start = ((fieldBlocks.size() - 1) << blockBits) + used;
    int32_t* position = positionBlocks.back().get() + used;
    float* block = fieldBlocks.back().get() + 4 * used;
    used += count;
    for (std::size_t i = 0; i < count; ++i) {
        position[i] = i < list.size() ? list[i] : -1;
        const FloatPaletteEntry far = {kFarAway, kFarAway, kFarAway, kFarAway};
        const FloatPaletteEntry& entry =
            position[i] < 0 ? far : entries[static_cast<std::size_t>(position[i])];
        block[i] = entry.c0;
        block[count + i] = entry.c1;
        block[2 * count + i] = entry.c2;
        block[3 * count + i] = entry.lum;
    }
    return Run{static_cast<uint32_t>(start), static_cast<uint32_t>(count), kNone};
}

CandidateGrid::CandidateGrid(std::span<const FloatPaletteEntry> entries)
    : entries_(entries.begin(), entries.end()), all_(entries.size()) {
    std::vector<int32_t> all(entries_.size());
    for (std::size_t e = 0; e < all.size(); ++e) all[e] = static_cast<int32_t>(e);
    allRun_ = all_.Append(entries_, all);
    for (int level = 0; level <= kCoarse; ++level) {
        const std::size_t perAxis = std::size_t{256} >> kLevelBits[level];
        runs_[level].resize(perAxis * perAxis * perAxis);
    }
    // Room for the finer cells that photographs use, made without moving.
    for (int level = kCoarse + 1; level < kLevels; ++level) runs_[level].reserve(4096);
    for (Lists& lists : lists_) lists = Lists(entries_.size());
    selected_.reserve(entries_.size());
}

CandidateGrid::Run CandidateGrid::Select(const Candidates& from, int level, int i0, int i1,
                                         int i2) {
    selected_.clear();
    SelectCandidates(from, RangeOfCell(kLevelBits[level], i0, i1, i2),
                     [&](int32_t position) { selected_.push_back(position); });
    return lists_[level].Append(entries_, selected_);
}

void CandidateGrid::Make(int level, std::size_t cell) {
    const int perAxis = 256 >> kLevelBits[level];
    const int i0 = static_cast<int>(cell) / (perAxis * perAxis);
    const int i1 = static_cast<int>(cell) / perAxis % perAxis;
    const int i2 = static_cast<int>(cell) % perAxis;
    Candidates from = all_.Of(allRun_);
    if (level > 0) {
        const int up = kLevelBits[level - 1] - kLevelBits[level];
        const std::size_t parent = CellIndex(kLevelBits[level - 1], i0 >> up, i1 >> up, i2 >> up);
        if (runs_[level - 1][parent].count == 0) Make(level - 1, parent);
        from = lists_[level - 1].Of(runs_[level - 1][parent]);
    }
    runs_[level][cell] = Select(from, level, i0, i1, i2);
}

uint32_t CandidateGrid::Finer(int level, uint32_t index, uint8_t c0, uint8_t c1, uint8_t c2) {
    std::vector<Run>& below = runs_[level + 1];
    if (runs_[level][index].finer == kNone) {
        runs_[level][index].finer = static_cast<uint32_t>(below.size());
        below.resize(below.size() + 8);
    }
    const int bits = kLevelBits[level + 1];
    const uint32_t child = runs_[level][index].finer +
                           static_cast<uint32_t>(((c0 >> bits) & 1) << 2 | ((c1 >> bits) & 1) << 1 |
                                                 ((c2 >> bits) & 1));
    if (below[child].count == 0) {
        below[child] = Select(lists_[level].Of(runs_[level][index]), level + 1, c0 >> bits,
                              c1 >> bits, c2 >> bits);
    }
    return child;
}

}  // namespace quantize
