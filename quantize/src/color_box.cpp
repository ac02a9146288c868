#include "quantize/color_box.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "lanes.h"
#include "quantize/run_flags.h"

namespace quantize {
namespace {

constexpr double kMagnitudeScale = 0.57735027;  // 1/√3, so m stays within 0..255
constexpr std::array<double, 4> kSpreadWeights = {0.33, 0.59, 0.11, 0.7};
constexpr std::array<double, 4> kDistanceWeights = {0.3, 0.59, 0.11, 0.7};

// Float sums of whole numbers are exact, in any order, while every partial sum stays below
// 2^24; a float sum below 2^24 shows that they all did, since rounding never goes down past a
// representable number. The parts of a box with such sums get integer sums, of the smaller
// part and the rest, instead of a float pass over each part in order.
constexpr float kExactSumLimit = 16777216.0f;

bool IsExact(Float4 sum) {
    return sum[0] < kExactSumLimit && sum[1] < kExactSumLimit && sum[2] < kExactSumLimit &&
           sum[3] < kExactSumLimit;
}

std::span<const PixEntry> RunOf(std::span<const PixEntry> pix, const ColorBox& box) {
    return pix.subspan(box.first, box.count);
}

Float4 Components(const PixEntry& p) {
    return ToFloat4(WidenBytes(p.c.data()));
}

// The float sums of a run, one pixel after the other.
Float4 RunSums(std::span<const PixEntry> run) {
    Float4 sum{};
    for (const PixEntry& p : run) sum += Components(p);
    return sum;
}

// The integer sums of the components of a run, in any order.
Int4 ByteSums(std::span<const PixEntry> run) {
    return SumBytesByFour(reinterpret_cast<const uint8_t*>(run.data()), run.size());
}

// Sets the sums and the means they give, with error and spreads zero until the error pass.
void SetSums(ColorBox& box, Float4 sum) {
    box.sum = ToArray(sum);
    box.mean = {};
    if (box.count > 0) {
        const float count = static_cast<float>(box.count);
        for (int k = 0; k < 4; ++k) box.mean[k] = static_cast<int16_t>(box.sum[k] / count);
    }
    box.error = 0.0f;
    box.spread = {};
    box.maxSpread = 0.0f;
}

// The spreads of a run: for each component the float sum of |component − mean| over the pixels
// in run order, and the largest of those differences.
struct SpreadSums {
    Float4 sum{};
    Float4 largest{};
};

// The float sums pixel by pixel.
SpreadSums FloatSpreadSums(std::span<const PixEntry> run, const std::array<int16_t, 4>& mean) {
    const Int4 means{mean[0], mean[1], mean[2], mean[3]};
    SpreadSums spreads;
    for (const PixEntry& p : run) {
        const Float4 d = ToFloat4(Abs(WidenBytes(p.c.data()) - means));
        spreads.sum += d;
        spreads.largest = Max(spreads.largest, d);
    }
    return spreads;
}

// The differences are whole numbers, so their float sums are exact while every partial sum stays
// below 2^24, which an integer total below 2^24 shows: the sums are then taken as integers,
// four pixels at a time with byte arithmetic, in any order.
SpreadSums ComputeSpreadSums(std::span<const PixEntry> run, const std::array<int16_t, 4>& mean) {
#if defined(__SSE2__)
    const bool byteMeans =
        std::all_of(mean.begin(), mean.end(), [](int16_t m) { return m >= 0 && m <= 255; });
    // 2^23 pixels keep the 32-bit integer sums from overflowing.
    if (byteMeans && run.size() < (std::size_t{1} << 23)) {
        const __m128i zero = _mm_setzero_si128();
        int32_t meanBytes;
        const std::array<uint8_t, 4> bytes = {
            static_cast<uint8_t>(mean[0]), static_cast<uint8_t>(mean[1]),
            static_cast<uint8_t>(mean[2]), static_cast<uint8_t>(mean[3])};
        std::memcpy(&meanBytes, bytes.data(), sizeof meanBytes);
        const __m128i means = _mm_set1_epi32(meanBytes);
        const uint8_t* data = reinterpret_cast<const uint8_t*>(run.data());
        __m128i largest = zero;
        Int4 sums{};
        std::size_t i = 0;
        while (run.size() - i >= 4) {
            // Up to 128 rounds in 16-bit lanes (2 × 128 × 255 < 65536).
            __m128i wordSums = zero;
            const std::size_t rounds = std::min<std::size_t>((run.size() - i) / 4, 128);
            for (std::size_t round = 0; round < rounds; ++round, i += 4) {
                const __m128i four =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 4 * i));
                const __m128i d =
                    _mm_or_si128(_mm_subs_epu8(four, means), _mm_subs_epu8(means, four));
                largest = _mm_max_epu8(largest, d);
                wordSums = _mm_add_epi16(wordSums, _mm_unpacklo_epi8(d, zero));
                wordSums = _mm_add_epi16(wordSums, _mm_unpackhi_epi8(d, zero));
            }
            sums += std::bit_cast<Int4>(_mm_add_epi32(_mm_unpacklo_epi16(wordSums, zero),
                                                      _mm_unpackhi_epi16(wordSums, zero)));
        }
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 8));
        largest = _mm_max_epu8(largest, _mm_srli_si128(largest, 4));
        Int4 most = std::bit_cast<Int4>(_mm_unpacklo_epi16(_mm_unpacklo_epi8(largest, zero), zero));
        const Int4 means4{mean[0], mean[1], mean[2], mean[3]};
        for (; i < run.size(); ++i) {
            const Int4 d = Abs(WidenBytes(run[i].c.data()) - means4);
            sums += d;
            most = most > d ? most : d;
        }
        if (sums[0] < (1 << 24) && sums[1] < (1 << 24) && sums[2] < (1 << 24) &&
            sums[3] < (1 << 24)) {
            return SpreadSums{ToFloat4(sums), ToFloat4(most)};
        }
    }
#endif
    return FloatSpreadSums(run, mean);
}

// The error pass of one box with its means set: error, spreads and their largest differences.
// Each pixel's error term is looked up per component byte: the same products summed in the same
// order, so the same doubles, without the per-pixel arithmetic. The float error is kept in a
// local variable, so that it stays in a register (the compiler must assume that the pixel bytes
// may alias any memory, and would store it after every pixel).
class ErrorPass {
  public:
    explicit ErrorPass(const std::array<int16_t, 4>& mean) {
        for (int k = 0; k < 4; ++k) {
            for (int value = 0; value < 256; ++value) {
                const int d = value - mean[k];
                term_[k][value] = kDistanceWeights[k] * (d * d);
            }
        }
    }

    void Add(const PixEntry& p, float& error) const {
        error += ((term_[2][p.c[2]] + term_[1][p.c[1]]) + term_[3][p.c[3]]) + term_[0][p.c[0]];
    }

    static void Write(float error, const SpreadSums& spreads, ColorBox& box) {
        box.error = error;
        box.maxSpread = 0.0f;
        for (int k = 0; k < 4; ++k) {
            box.spread[k] = static_cast<float>(spreads.sum[k] * kSpreadWeights[k]);
            box.spread[k] *= spreads.largest[k];
            if (box.spread[k] > box.maxSpread) box.maxSpread = box.spread[k];
        }
    }

  private:
    std::array<std::array<double, 256>, 4> term_;
};

void RunErrorPass(std::span<const PixEntry> pix, ColorBox& box) {
    const ErrorPass pass(box.mean);
    const std::span<const PixEntry> run = pix.subspan(box.first, box.count);
    float error = 0.0f;
    for (const PixEntry& p : run) pass.Add(p, error);
    ErrorPass::Write(error, ComputeSpreadSums(run, box.mean), box);
}

// Runs the error passes of two boxes in lockstep: their float sums are separate dependency
// chains, so the processor overlaps them while each keeps its pixel order and exact value.
void ErrorPasses(std::span<const PixEntry> pix, ColorBox& a, ColorBox& b) {
    const ErrorPass passA(a.mean);
    const ErrorPass passB(b.mean);
    const std::span<const PixEntry> runA = RunOf(pix, a);
    const std::span<const PixEntry> runB = RunOf(pix, b);
    float errorA = 0.0f;
    float errorB = 0.0f;
    const std::size_t common = std::min(runA.size(), runB.size());
    for (std::size_t i = 0; i < common; ++i) {
        passA.Add(runA[i], errorA);
        passB.Add(runB[i], errorB);
    }
    for (std::size_t i = common; i < runA.size(); ++i) passA.Add(runA[i], errorA);
    for (std::size_t i = common; i < runB.size(); ++i) passB.Add(runB[i], errorB);
    ErrorPass::Write(errorA, ComputeSpreadSums(runA, a.mean), a);
    ErrorPass::Write(errorB, ComputeSpreadSums(runB, b.mean), b);
}

// The float sums of a run in its order, when they are known without a pass.
struct RunTotal {
    Float4 sum{};
    bool known = false;
};

// Bit i for goesLast of run[i], for `count` pixels (at most 64); four at a time where the test
// has a vector form.
template <class GoesLast>
uint64_t FlagWord(const GoesLast& goesLast, const PixEntry* run, uint32_t count) {
    uint64_t bits = 0;
    uint32_t i = 0;
    if constexpr (requires { goesLast.Four(run); }) {
        for (; i + 4 <= count; i += 4) bits |= uint64_t{goesLast.Four(run + i)} << i;
    }
    for (; i < count; ++i) bits |= uint64_t{goesLast(run[i])} << i;
    return bits;
}

// Partitions the run of `chosen` (count pixels from chosen.first) with the walk of
// PartitionRun: the lower part stays with `chosen`, the upper part goes to `added`. Sets the
// counts, sums and means of both; error and spreads are left for the error pass. Returns
// whether any pixel moved.
template <class GoesLast>
bool PartitionBox(std::span<PixEntry> pix, uint32_t count, RunTotal total, ColorBox& chosen,
                  ColorBox& added, const GoesLast& goesLast) {
    const uint32_t first = chosen.first;
    const uint32_t end = first + count;
    // Every decision first, without branches, then the walk.
    RunFlags flags;
    flags.Reset(count);
    for (uint32_t word = 0; word < count; word += 64) {
        const uint32_t stop = std::min(count - word, uint32_t{64});
        flags.SetWord(word, FlagWord(goesLast, pix.data() + first + word, stop));
    }
    const auto [split, moved] = PartitionFlagged(pix, first, flags);

    const std::span<const PixEntry> lower = pix.subspan(first, split - first);
    const std::span<const PixEntry> upper = pix.subspan(split, end - split);
    Float4 lowerSum;
    Float4 upperSum;
    if (total.known && IsExact(total.sum)) {
        // Integer sums in any order: the smaller part's, and the rest.
        if (lower.size() < upper.size()) {
            lowerSum = ToFloat4(ByteSums(lower));
            upperSum = total.sum - lowerSum;
        } else {
            upperSum = ToFloat4(ByteSums(upper));
            lowerSum = total.sum - upperSum;
        }
    } else {
        // Float sums in the final order. A walk that leaves the lower part empty moved nothing.
        lowerSum = RunSums(lower);
        upperSum = lower.empty() && total.known ? total.sum : RunSums(upper);
    }
    chosen.count = split - first;
    added = ColorBox{};
    added.first = split;
    added.count = end - split;
    SetSums(chosen, lowerSum);
    SetSums(added, upperSum);
    return moved;
}

// Whether a pixel lies strictly nearer to the added box's means than to the chosen box's means
// with that distance rounded to float, decided mostly by exact integer arithmetic: with the
// weights scaled to whole numbers (30, 59, 11, 70), the difference of the two distances is a sum
// of four table entries indexed by the pixel's bytes. The doubles that BoxDistance computes are
// within 1e-15 of the true distances and the float rounding within 2^-24, so only a scaled
// difference within 2^-23 × the scaled distance to the chosen means can come out either way.
// With both boxes' means within 0..256 that distance stays below 170 × 256² < 2^24, so a
// difference of 2 or more decides, and the rare pixels closer to a tie get the double test.
class NearerToAdded {
  public:
    NearerToAdded(const std::array<int16_t, 4>& kept, const std::array<int16_t, 4>& added)
        : kept_(kept), added_(added) {
        constexpr std::array<int, 4> kScaledWeights = {30, 59, 11, 70};
        for (int k = 0; k < 4; ++k) {
            for (int value = 0; value < 256; ++value) {
                const int toAdded = value - added[k];
                const int toKept = value - kept[k];
                difference_[k][value] = kScaledWeights[k] * (toAdded * toAdded - toKept * toKept);
            }
        }
#if defined(__SSE2__)
        // The same difference as a sum of products: w·((v − a)² − (v − k)²) is
        // w·(a² − k²) − 2w·(a − k)·v, so the difference is a constant plus each byte times a
        // factor, four pixels at a time with 16-bit factors, when they fit.
        int constant = 0;
        std::array<int16_t, 8> factors{};
        linear_ = true;
        for (int k = 0; k < 4; ++k) {
            const int factor = -2 * kScaledWeights[k] * (added[k] - kept[k]);
            linear_ = linear_ && factor >= -32768 && factor <= 32767;
            factors[k] = factors[k + 4] = static_cast<int16_t>(factor);
            constant += kScaledWeights[k] * (added[k] * added[k] - kept[k] * kept[k]);
        }
        std::memcpy(&factors_, factors.data(), sizeof factors_);
        constant_ = _mm_set1_epi32(constant);
#endif
    }

    // Whether the tables decide, which needs all means within 0..256.
    static bool Applies(const std::array<int16_t, 4>& kept, const std::array<int16_t, 4>& added) {
        for (int k = 0; k < 4; ++k) {
            if (kept[k] < 0 || kept[k] > 256 || added[k] < 0 || added[k] > 256) return false;
        }
        return true;
    }

    // The same answer as Exactly(), without branches but for near ties.
    bool operator()(const PixEntry& p) const {
        const int difference = difference_[0][p.c[0]] + difference_[1][p.c[1]] +
                               difference_[2][p.c[2]] + difference_[3][p.c[3]];
        if (static_cast<unsigned>(difference + 1) <= 2u) [[unlikely]] {
            return Exactly(p, kept_, added_);
        }
        return difference < 0;
    }

#if defined(__SSE2__)
    // operator() of four pixels, as bits 0 to 3.
    unsigned Four(const PixEntry* p) const {
        if (linear_) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i zero = _mm_setzero_si128();
            // Pairs of products summed: c0·f0 + c1·f1 and c2·f2 + m·f3 of each pixel.
            const __m128 low =
                _mm_castsi128_ps(_mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), factors_));
            const __m128 high =
                _mm_castsi128_ps(_mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), factors_));
            const __m128i firstPairs =
                _mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0)));
            const __m128i secondPairs =
                _mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1)));
            const __m128i difference =
                _mm_add_epi32(_mm_add_epi32(firstPairs, secondPairs), constant_);
            const __m128i nearTie = _mm_and_si128(_mm_cmpgt_epi32(difference, _mm_set1_epi32(-2)),
                                                  _mm_cmplt_epi32(difference, _mm_set1_epi32(2)));
            if (_mm_movemask_epi8(nearTie) == 0) [[likely]] {
                return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(difference)));
            }
        }
        return unsigned{(*this)(p[0])} | unsigned{(*this)(p[1])} << 1 |
               unsigned{(*this)(p[2])} << 2 | unsigned{(*this)(p[3])} << 3;
    }
#endif

    static bool Exactly(const PixEntry& p, const std::array<int16_t, 4>& kept,
                        const std::array<int16_t, 4>& added) {
        // Ties stay with the chosen box.
        return BoxDistance(p, added) < static_cast<float>(BoxDistance(p, kept));
    }

  private:
    std::array<int16_t, 4> kept_;
    std::array<int16_t, 4> added_;
    std::array<std::array<int32_t, 256>, 4> difference_;
#if defined(__SSE2__)
    bool linear_ = false;
    __m128i factors_;   // the byte factors of two pixels
    __m128i constant_;  // the constant, in each lane
#endif
};

// The reassignment walk of RefineSplit without the error passes; returns whether any pixel
// moved.
bool RefineWalk(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added) {
    assert(added.first == chosen.first + chosen.count);
    const Float4 chosenSum = ToFloat4(chosen.sum);
    const Float4 addedSum = ToFloat4(added.sum);
    RunTotal total;
    if (chosen.count == 0 || added.count == 0) {
        total = {chosen.count == 0 ? addedSum : chosenSum, true};
    } else if (IsExact(chosenSum) && IsExact(addedSum)) {
        // Exact part sums add up to the exact total, unless it reaches 2^24 (not IsExact then).
        total = {chosenSum + addedSum, true};
    }
    const uint32_t count = chosen.count + added.count;
    const std::array<int16_t, 4> kept = chosen.mean;
    const std::array<int16_t, 4> moved = added.mean;
    if (NearerToAdded::Applies(kept, moved)) {
        const NearerToAdded goesLast(kept, moved);
        return PartitionBox(pix, count, total, chosen, added, goesLast);
    } else {
        return PartitionBox(pix, count, total, chosen, added, [&](const PixEntry& p) {
            return NearerToAdded::Exactly(p, kept, moved);
        });
    }
}

// Whether a pixel's component lies above the mean.
class AboveMean {
  public:
    AboveMean(int axis, int mean) : axis_(axis), mean_(mean) {}

    bool operator()(const PixEntry& p) const { return p.c[axis_] > mean_; }

#if defined(__SSE2__)
    // operator() of four pixels, as bits 0 to 3.
    unsigned Four(const PixEntry* p) const {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i component = _mm_and_si128(_mm_srl_epi32(pixels, _mm_cvtsi32_si128(8 * axis_)),
                                                _mm_set1_epi32(0xFF));
        return static_cast<unsigned>(
            _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(component, _mm_set1_epi32(mean_)))));
    }
#endif

  private:
    int axis_;
    int mean_;
};

// The walk of SplitBox without the error passes; returns whether any pixel moved.
bool SplitWalk(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added) {
    const int axis = SplitAxis(chosen);
    return PartitionBox(pix, chosen.count, RunTotal{ToFloat4(chosen.sum), true}, chosen, added,
                        AboveMean(axis, chosen.mean[axis]));
}

}  // namespace

PixEntry MakePixEntry(uint8_t c0, uint8_t c1, uint8_t c2) {
    const int sumOfSquares = c0 * c0 + c1 * c1 + c2 * c2;
    const double magnitude = std::sqrt(static_cast<double>(sumOfSquares)) * kMagnitudeScale;
    return PixEntry{{c0, c1, c2, static_cast<uint8_t>(magnitude)}};
}

void MakePixEntries(const uint8_t* pixels, std::size_t count, PixEntry* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Two square roots in one instruction, each rounded as the scalar one.
    for (; i + 2 <= count; i += 2) {
        const uint8_t* p = pixels + 3 * i;
        const int first = p[0] * p[0] + p[1] * p[1] + p[2] * p[2];
        const int second = p[3] * p[3] + p[4] * p[4] + p[5] * p[5];
        const __m128d roots = _mm_sqrt_pd(_mm_cvtepi32_pd(_mm_setr_epi32(first, second, 0, 0)));
        const __m128i magnitudes =
            _mm_cvttpd_epi32(_mm_mul_pd(roots, _mm_set1_pd(kMagnitudeScale)));
        out[i] = PixEntry{{p[0], p[1], p[2], static_cast<uint8_t>(_mm_cvtsi128_si32(magnitudes))}};
        out[i + 1] =
            PixEntry{{p[3], p[4], p[5],
                      static_cast<uint8_t>(_mm_cvtsi128_si32(_mm_srli_si128(magnitudes, 4)))}};
    }
#endif
    for (; i < count; ++i) {
        const uint8_t* p = pixels + 3 * i;
        out[i] = MakePixEntry(p[0], p[1], p[2]);
    }
}

void ComputeBoxStats(std::span<const PixEntry> pix, ColorBox& box) {
    const std::span<const PixEntry> run = RunOf(pix, box);
    SetSums(box, RunSums(run));
    RunErrorPass(pix, box);
}

void ComputeBoxStats(std::span<const PixEntry> pix, ColorBox& a, ColorBox& b) {
    SetSums(a, RunSums(RunOf(pix, a)));
    SetSums(b, RunSums(RunOf(pix, b)));
    ErrorPasses(pix, a, b);
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
    SplitWalk(pix, chosen, added);
    if (stats == SplitStats::kFull) ErrorPasses(pix, chosen, added);
}

void RefineSplit(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added) {
    RefineWalk(pix, chosen, added);
    ErrorPasses(pix, chosen, added);
}

bool SplitChosenBox(std::span<PixEntry> pix, ColorBox& chosen, ColorBox& added, bool refine) {
    const ColorBox before = chosen;
    bool moved = SplitWalk(pix, chosen, added);
    if (refine) moved = RefineWalk(pix, chosen, added) || moved;
    if (!moved && chosen.count == 0) {
        // The run is as it was, all of it in `added`: the error pass would give `before` again.
        added = before;
        return true;
    }
    ErrorPasses(pix, chosen, added);
    return false;
}

}  // namespace quantize
