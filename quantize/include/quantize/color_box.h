#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

namespace quantize {

// One pixel as the box splitting sees it: the three stored components in stored order and
// the magnitude m = trunc(sqrt(c0² + c1² + c2²) × 0.57735027), which runs from 0 to 255.
struct PixEntry {
    std::array<uint8_t, 4> c{};
};

PixEntry MakePixEntry(uint8_t c0, uint8_t c1, uint8_t c2);

// MakePixEntry of each of `count` pixels of three bytes, into `out`.
void MakePixEntries(const uint8_t* pixels, std::size_t count, PixEntry* out);

// A box is a run [first, first + count) of the Pix array with its statistics. A box with no
// pixels has all sums, means, spreads and its error 0.
struct ColorBox {
    std::array<int16_t, 4> mean{};  // truncated means of c0, c1, c2, m
    float error = 0.0f;             // Σ 0.3·d0² + 0.59·d1² + 0.11·d2² + 0.7·d3²
    std::array<float, 4> spread{};  // weight × Σ dk × largest dk
    float maxSpread = 0.0f;
    uint32_t first = 0;
    uint32_t count = 0;
    std::array<float, 4> sum{};  // the float sums of c0, c1, c2, m the means come from
};

// Recomputes the sums, means, error and spreads of the box's run, keeping first and count. Sums
// are 32-bit floats added one pixel at a time in run order; each pixel's error term is computed
// in double and added into the float error.
void ComputeBoxStats(std::span<const PixEntry> pix, ColorBox& box);

// The same for two boxes at once, with results identical to two single calls.
void ComputeBoxStats(std::span<const PixEntry> pix, ColorBox& a, ColorBox& b);

// The component to split along: the first, in the order 0..3, whose spread equals maxSpread.
int SplitAxis(const ColorBox& box);

// The box with the largest error among the given ones; ties go to the lowest index.
int WorstBox(std::span<const ColorBox> boxes);

// Weighted distance of a pixel to a box's means (weights 0.3, 0.59, 0.11, 0.7), in double.
double BoxDistance(const PixEntry& pixel, const std::array<int16_t, 4>& mean);

// Moves the pixels of [first, first + count) for which goesLast holds towards the end, in
// place, and returns the split point: the pixels from it to the end of the run form the upper
// part. The walk is fixed because box contents, and so the palette, depend on the exact order.
template <class GoesLast>
uint32_t PartitionRun(std::span<PixEntry> pix, uint32_t first, uint32_t count, GoesLast goesLast) {
    if (count == 0) return first;
    uint32_t front = first;
    uint32_t back = first + count - 1;
    while (front < back) {
        if (goesLast(pix[front])) {
            while (front < back && goesLast(pix[back])) --back;
            std::swap(pix[front], pix[back]);
        }
        ++front;
    }
    return back;
}

// What SplitBox computes for the two halves: everything, or only the means, which is all that
// a RefineSplit following at once reads before it recomputes everything.
enum class SplitStats { kFull, kMeansOnly };

// Splits `chosen` at the mean of its split axis: pixels above the mean go to `added`, which
// receives the upper part of the run. Both boxes get fresh statistics. `chosen` must carry the
// statistics of its run (from ComputeBoxStats or an earlier split).
void SplitBox(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added,
              SplitStats stats = SplitStats::kFull);

// One reassignment pass over the run that `chosen` and `added` share after SplitBox (added
// must follow chosen directly): a pixel moves to `added` when its distance to added's means is
// strictly smaller than its distance to chosen's means rounded to float. Both boxes get fresh
// statistics.
void RefineSplit(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added);

// One split of palette building: SplitBox and, when refining, RefineSplit. Returns true when
// no pixel moved and `added` took the whole run of `chosen`, as happens to a box of one colour
// whose rounded mean misses that colour: `added` then holds the statistics `chosen` had, and
// splitting it again would give the same result once more.
bool SplitChosenBox(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added, bool refine);

}  // namespace quantize
