#include "quantize/palette_mapper.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>
#include <type_traits>

#include "lanes.h"

namespace quantize {
namespace {

constexpr int kCacheBits = 16;

constexpr uint32_t CacheSlotOf(uint32_t colour) {
    return (colour * 2654435761u) >> (32 - kCacheBits);
}

bool SameEntry(const FloatPaletteEntry& a, const FloatPaletteEntry& b) {
    return a.c0 == b.c0 && a.c1 == b.c1 && a.c2 == b.c2 && a.lum == b.lum;
}

// The palette without later duplicates, which have the same distance as their first occurrence
// and lose the tie, with the palette index of each entry kept.
std::vector<FloatPaletteEntry> FirstOccurrences(std::span<const FloatPaletteEntry> palette,
                                                std::vector<int>& indices) {
    std::vector<FloatPaletteEntry> entries;
    for (int index = 0; index < static_cast<int>(palette.size()); ++index) {
        const FloatPaletteEntry& entry = palette[static_cast<std::size_t>(index)];
        const bool seen =
            std::any_of(entries.begin(), entries.end(),
                        [&](const FloatPaletteEntry& e) { return SameEntry(e, entry); });
        if (!seen) {
            entries.push_back(entry);
            indices.push_back(index);
        }
    }
    return entries;
}

// The greatest estimate that can belong to a candidate as near as, or nearer than, the one
// estimated at `estimate`.
float Limit(float estimate) {
    return estimate + estimate * 1e-5f + 1e-3f;
}

// The float differences between a colour and four candidates, starting at candidate i, and
// the float estimate of MapDistance they give: the same differences, squared, weighted and
// added in float. The terms are never negative, so an estimate lies within 1e-6 of
// MapDistance relative to either (a few float roundings of 2^-24 each).
struct Differences {
    Float4 d0;
    Float4 d1;
    Float4 d2;
    Float4 dl;
    Float4 Estimate() const {
        return 0.3f * (d0 * d0) + 0.59f * (d1 * d1) + 0.11f * (d2 * d2) + 0.15f * (dl * dl);
    }
};

struct SplatColour {
    Float4 x0;
    Float4 x1;
    Float4 x2;
    Float4 xl;
};

Differences DifferencesAt(const CandidateGrid::Candidates& candidates, std::size_t i,
                          const SplatColour& colour) {
    return Differences{
        LoadFloat4(candidates.c0 + i) - colour.x0, LoadFloat4(candidates.c1 + i) - colour.x1,
        LoadFloat4(candidates.c2 + i) - colour.x2, LoadFloat4(candidates.lum + i) - colour.xl};
}

// The same for kCount candidates, whose fields follow each other in one stretch of floats:
// one pointer at fixed offsets, which leaves registers for the rest of MapRows' loop.
template <std::size_t kCount>
Differences DifferencesAt(const float* fields, std::size_t i, const SplatColour& colour) {
    return Differences{LoadFloat4(fields + i) - colour.x0,
                       LoadFloat4(fields + kCount + i) - colour.x1,
                       LoadFloat4(fields + 2 * kCount + i) - colour.x2,
                       LoadFloat4(fields + 3 * kCount + i) - colour.xl};
}

}  // namespace

PaletteMapper::PaletteMapper(std::span<const FloatPaletteEntry> palette)
    : grid_(FirstOccurrences(palette, entryIndex_)),
      cache_(static_cast<uint32_t*>(std::calloc(std::size_t{1} << kCacheBits, sizeof(uint32_t)))) {
    if (!cache_) throw std::bad_alloc();
    // A zeroed slot reads as black with index 0, and only black's own slot could ever be
    // asked about black: that one starts with a colour that belongs elsewhere.
    static_assert(CacheSlotOf(1) != CacheSlotOf(0));
    cache_[CacheSlotOf(0)] = 1;
    constexpr std::array<double, 3> kLumWeights = {0.3, 0.59, 0.11};
    for (int k = 0; k < 3; ++k) {
        for (int value = 0; value < 256; ++value) lumTerms_[k][value] = kLumWeights[k] * value;
    }
    for (int value = 0; value < 256; ++value) {
        byteValues_[static_cast<std::size_t>(value)] = static_cast<float>(value);
    }
}

// Inlined into its callers, MapRows above all, where it runs for nearly every pixel. With
// kGroups above 0 the candidates are that many groups of four, which unrolls the loop.
template <int kGroups>
inline int PaletteMapper::NearestAmong(const CandidateGrid::Candidates& candidates, uint8_t c0,
                                       uint8_t c1, uint8_t c2) const {
    // MakeMapColor's luminance from the same products, looked up. Its clamp to [0, 255] is left
    // out: no sum of three bytes' products rounds to a float outside.
    const float lum = static_cast<float>(lumTerms_[0][c0] + lumTerms_[1][c1] + lumTerms_[2][c2]);
    const SplatColour colour{Splat(byteValues_[c0]), Splat(byteValues_[c1]), Splat(byteValues_[c2]),
                             Splat(lum)};
    // Every candidate gets a float estimate of MapDistance, four at a time. A candidate
    // estimated above Limit(least estimate) is further than the one with that estimate in
    // MapDistance too: it can neither be nearest nor tie with the nearest. Each lane keeps its
    // least and second least estimate and where the least is, so that when a single candidate
    // lies within the limit it is the answer without computing any MapDistance, which is the
    // common case. A single group has no second estimates, and its lanes are its candidates.
    const std::size_t count = kGroups > 0 ? std::size_t{4} * kGroups : candidates.count;
    Float4 least = Splat(std::numeric_limits<float>::infinity());
    Float4 second = least;
    Int4 leastAt = {0, 1, 2, 3};
    Int4 at = leastAt;
    for (std::size_t i = 0; i < count; i += 4) {
        Float4 estimate;
        if constexpr (kGroups > 0) {
            estimate = DifferencesAt<std::size_t{4} * kGroups>(candidates.c0, i, colour).Estimate();
        } else {
            estimate = DifferencesAt(candidates, i, colour).Estimate();
        }
        if (i == 0) {
            least = estimate;
        } else {
            second = Min(second, Max(least, estimate));
            leastAt = estimate < least ? at : leastAt;
            least = Min(least, estimate);
        }
        at += 4;
    }
    const float limit = Limit(LeastLane(least));
    if (limit < kMapStartBound) {
        const unsigned within = LanesNotAbove(least, Splat(limit));
        if (within != 0 && (within & (within - 1)) == 0) {
            const int lane = std::countr_zero(within);
            if constexpr (kGroups == 1) return candidates.position[lane];
            if (LanesNotAbove(second, Splat(limit)) == 0) return candidates.position[leastAt[lane]];
        }
    }
    return SearchExactly(candidates, c0, c1, c2, lum);
}

int PaletteMapper::Search(uint8_t c0, uint8_t c1, uint8_t c2) {
    const int position = NearestAmong<0>(grid_.For(c0, c1, c2), c0, c1, c2);
    return position < 0 ? -1 : entryIndex_[static_cast<std::size_t>(position)];
}

int PaletteMapper::SearchExactly(const CandidateGrid::Candidates& candidates, uint8_t c0,
                                 uint8_t c1, uint8_t c2, float lum) const {
    const SplatColour colour{Splat(c0), Splat(c1), Splat(c2), Splat(lum)};
    float leastEstimate = kMapStartBound;  // nothing at or above the start bound is taken
    Float4 bound = Splat(Limit(leastEstimate));
    float bestDistance = kMapStartBound;
    int bestPosition = -1;
    for (std::size_t i = 0; i < candidates.count; i += 4) {
        const Differences d = DifferencesAt(candidates, i, colour);
        const Float4 estimate = d.Estimate();
        if (LanesNotAbove(estimate, bound) == 0) continue;
        leastEstimate = std::min(leastEstimate, LeastLane(estimate));
        bound = Splat(Limit(leastEstimate));
        // MapDistance of the candidates left, in palette order: the first of equal distances
        // stays.
        for (unsigned near = LanesNotAbove(estimate, bound); near != 0; near &= near - 1) {
            const int lane = std::countr_zero(near);
            const double e0 = d.d0[lane];
            const double e1 = d.d1[lane];
            const double e2 = d.d2[lane];
            const double el = d.dl[lane];
            const float distance = static_cast<float>(0.3 * (e0 * e0) + 0.59 * (e1 * e1) +
                                                      0.11 * (e2 * e2) + 0.15 * (el * el));
            if (distance < bestDistance) {
                bestDistance = distance;
                bestPosition = candidates.position[i + static_cast<std::size_t>(lane)];
            }
        }
    }
    return bestPosition;
}

int PaletteMapper::Nearest(uint8_t c0, uint8_t c1, uint8_t c2) {
    const uint32_t colour = c0 | (uint32_t{c1} << 8) | (uint32_t{c2} << 16);
    uint32_t& slot = cache_[CacheSlotOf(colour)];
    if ((slot & 0xFFFFFF) == colour) return static_cast<int>(slot >> 24);
    return SearchAndKeep(colour, slot);
}

int PaletteMapper::SearchAndKeep(uint32_t colour, uint32_t& slot) {
    ++searches_;
    const int index = Search(static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                             static_cast<uint8_t>(colour >> 16));
    // Colours with no entry below the start bound are rare and not kept.
    if (index >= 0) slot = colour | static_cast<uint32_t>(index) << 24;
    return index;
}

void PaletteMapper::MapRows(const uint8_t* pixels, int width, int firstRow, int rowCount,
                            uint8_t* indices) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(rowCount);
    // The pixels in order of their coarse cells (a counting sort), so that each cell's
    // candidates are looked up once and stay in the cache while its pixels are mapped.
    cellStarts_.assign(CandidateGrid::kCoarseCells + 1, 0);
    cellOf_.resize(count);
    uint16_t* cellOf = cellOf_.data();
    uint32_t* pixelsOfCell = cellStarts_.data() + 1;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* pixel = pixels + 3 * i;
        const uint32_t cell = CandidateGrid::CoarseCellOf(pixel[0], pixel[1], pixel[2]);
        cellOf[i] = static_cast<uint16_t>(cell);
        ++pixelsOfCell[cell];
    }
    for (uint32_t cell = 0; cell < CandidateGrid::kCoarseCells; ++cell) {
        cellStarts_[cell + 1] += cellStarts_[cell];
    }
    byCell_.resize(count);
    cellEnds_.assign(cellStarts_.begin(), cellStarts_.end() - 1);
    uint32_t* byCell = byCell_.data();
    uint32_t* cellEnd = cellEnds_.data();
    for (std::size_t i = 0; i < count; ++i) byCell[cellEnd[cellOf[i]]++] = static_cast<uint32_t>(i);

    // Rows with a pixel that no entry lies near take the index of a neighbour, which MapRow
    // gives them in scan order.
    std::vector<bool> again(static_cast<std::size_t>(rowCount), false);
    for (uint32_t cell = 0; cell < CandidateGrid::kCoarseCells; ++cell) {
        const uint32_t begin = cellStarts_[cell];
        const uint32_t end = cellStarts_[cell + 1];
        if (begin == end) continue;
        CandidateGrid::Candidates shared;
        auto map = [&](auto groups) {
            // Local copies, which the stores of indices (bytes, which may alias anything) do
            // not make the compiler load again for every pixel.
            const CandidateGrid::Candidates candidates = shared;
            const uint32_t* order = byCell_.data();
            const int* entryIndex = entryIndex_.data();
            for (uint32_t k = begin; k < end; ++k) {
                const uint32_t i = order[k];
                const uint8_t* pixel = pixels + 3 * std::size_t{i};
                const int position =
                    NearestAmong<decltype(groups)::value>(candidates, pixel[0], pixel[1], pixel[2]);
                if (position < 0) {
                    again[i / static_cast<uint32_t>(width)] = true;
                } else {
                    indices[i] = static_cast<uint8_t>(entryIndex[position]);
                }
            }
        };
        if (!grid_.CoarseCandidates(cell, shared)) {
            // Crowded cells, where the palette is dense, hold the colours that photographs
            // repeat most, and finding their finer cells costs more: remembering pays there.
            for (uint32_t k = begin; k < end; ++k) {
                const uint32_t i = byCell_[k];
                const uint8_t* pixel = pixels + 3 * std::size_t{i};
                const int index = Nearest(pixel[0], pixel[1], pixel[2]);
                if (index < 0) {
                    again[i / static_cast<uint32_t>(width)] = true;
                } else {
                    indices[i] = static_cast<uint8_t>(index);
                }
            }
        } else if (shared.count == 4) {
            map(std::integral_constant<int, 1>());
        } else if (shared.count == 8) {
            map(std::integral_constant<int, 2>());
        } else if (shared.count == 12) {
            map(std::integral_constant<int, 3>());
        } else {
            map(std::integral_constant<int, 0>());
        }
    }
    for (int row = 0; row < rowCount; ++row) {
        if (!again[static_cast<std::size_t>(row)]) continue;
        const std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        MapRow(pixels + 3 * at, width, firstRow + row, indices + at);
    }
}

void PaletteMapper::MapRow(const uint8_t* pixels, int width, int row, uint8_t* indices) {
    // Even rows from the last pixel to the first, odd rows from the first to the last.
    const std::ptrdiff_t step = row % 2 == 0 ? -1 : 1;
    std::ptrdiff_t x = row % 2 == 0 ? width - 1 : 0;
    int previous = 0;
    uint32_t previousColour = 0xFFFFFFFF;  // no colour: a colour has 24 bits
    for (int done = 0; done < width; ++done, x += step) {
        const uint8_t* pixel = pixels + x * 3;
        const uint32_t colour = pixel[0] | (uint32_t{pixel[1]} << 8) | (uint32_t{pixel[2]} << 16);
        // A run of one colour takes the index of its first pixel.
        if (colour != previousColour) {
            uint32_t& slot = cache_[CacheSlotOf(colour)];
            int index = (slot & 0xFFFFFF) == colour ? static_cast<int>(slot >> 24)
                                                    : SearchAndKeep(colour, slot);
            if (index >= 0) {
                previous = index;
                previousColour = colour;
            }
        }
        indices[x] = static_cast<uint8_t>(previous);
    }
}

}  // namespace quantize
