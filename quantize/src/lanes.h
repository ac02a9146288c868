#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quantize {

// Four 32-bit lanes side by side in one vector register, through the vector extensions of GCC
// and Clang; on targets without vector registers the compiler splits them into scalar
// operations. Each lane follows the scalar rules of its type, with no reordering: a lane of a
// Float4 sum rounds exactly as a scalar float sum added in the same order, so the four
// component sums of a box can share one register without changing a bit.
using Float4 = float __attribute__((vector_size(16)));
using Int4 = int32_t __attribute__((vector_size(16)));
// Two lanes, for MapDistance's doubles.
using Double2 = double __attribute__((vector_size(16)));

// Four bytes (the components of one Pix entry) as integer lanes.
inline Int4 WidenBytes(const uint8_t* bytes) {
#if defined(__SSE2__)
    // Interleaving with zero bytes, then with zero words, widens them in three instructions;
    // the compiler builds this from the plain lane list below in a dozen.
    int32_t word;
    std::memcpy(&word, bytes, sizeof word);
    const __m128i zero = _mm_setzero_si128();
    return std::bit_cast<Int4>(
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(word), zero), zero));
#else
    return Int4{bytes[0], bytes[1], bytes[2], bytes[3]};
#endif
}

// The sums of bytes 0, 1, 2 and 3 of `count` groups of four bytes.
inline Int4 SumBytesByFour(const uint8_t* bytes, std::size_t count) {
    Int4 sums{};
    std::size_t i = 0;
#if defined(__SSE2__)
    // Four groups at a time, widened to 16-bit lanes (two groups per register) and added there
    // for up to 128 rounds (2 × 128 × 255 < 65536) before they move on to 32-bit lanes.
    const __m128i zero = _mm_setzero_si128();
    while (count - i >= 4) {
        __m128i wordSums = zero;
        const std::size_t rounds = std::min<std::size_t>((count - i) / 4, 128);
        for (std::size_t round = 0; round < rounds; ++round, i += 4) {
            const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 4 * i));
            wordSums = _mm_add_epi16(wordSums, _mm_unpacklo_epi8(four, zero));
            wordSums = _mm_add_epi16(wordSums, _mm_unpackhi_epi8(four, zero));
        }
        sums += std::bit_cast<Int4>(
            _mm_add_epi32(_mm_unpacklo_epi16(wordSums, zero), _mm_unpackhi_epi16(wordSums, zero)));
    }
#endif
    for (; i < count; ++i) sums += WidenBytes(bytes + 4 * i);
    return sums;
}

inline Float4 ToFloat4(Int4 lanes) {
    return __builtin_convertvector(lanes, Float4);
}

inline Float4 ToFloat4(const std::array<float, 4>& values) {
    return Float4{values[0], values[1], values[2], values[3]};
}

inline std::array<float, 4> ToArray(Float4 lanes) {
    return {lanes[0], lanes[1], lanes[2], lanes[3]};
}

inline Float4 LoadFloat4(const float* values) {
    Float4 lanes;
    std::memcpy(&lanes, values, sizeof lanes);
    return lanes;
}

inline Float4 Splat(float value) {
    return Float4{value, value, value, value};
}

// Lanes 0 and 1, and lanes 2 and 3, of a Float4 as doubles (exact).
inline Double2 LowToDouble2(Float4 lanes) {
#if defined(__SSE2__)
    return std::bit_cast<Double2>(_mm_cvtps_pd(std::bit_cast<__m128>(lanes)));
#else
    return Double2{lanes[0], lanes[1]};
#endif
}

inline Double2 HighToDouble2(Float4 lanes) {
#if defined(__SSE2__)
    // The compiler converts the high lanes one at a time; moving them down first takes one
    // instruction.
    const __m128 v = std::bit_cast<__m128>(lanes);
    return std::bit_cast<Double2>(_mm_cvtps_pd(_mm_movehl_ps(v, v)));
#else
    return Double2{lanes[2], lanes[3]};
#endif
}

// Two Double2 rounded to float, as lanes 0, 1 and 2, 3.
inline Float4 JoinToFloat4(Double2 low, Double2 high) {
#if defined(__SSE2__)
    return std::bit_cast<Float4>(_mm_movelh_ps(_mm_cvtpd_ps(std::bit_cast<__m128d>(low)),
                                               _mm_cvtpd_ps(std::bit_cast<__m128d>(high))));
#else
    return Float4{static_cast<float>(low[0]), static_cast<float>(low[1]),
                  static_cast<float>(high[0]), static_cast<float>(high[1])};
#endif
}

// Whether any lane of a is below b.
inline bool AnyLess(Float4 a, float b) {
#if defined(__SSE2__)
    return _mm_movemask_ps(_mm_cmplt_ps(std::bit_cast<__m128>(a), _mm_set1_ps(b))) != 0;
#else
    return a[0] < b || a[1] < b || a[2] < b || a[3] < b;
#endif
}

// The least of the four lanes (none may be NaN).
inline float LeastLane(Float4 lanes) {
#if defined(__SSE2__)
    const __m128 v = std::bit_cast<__m128>(lanes);
    const __m128 pairs = _mm_min_ps(v, _mm_movehl_ps(v, v));
    return _mm_cvtss_f32(_mm_min_ss(pairs, _mm_shuffle_ps(pairs, pairs, 1)));
#else
    return std::min(std::min(lanes[0], lanes[1]), std::min(lanes[2], lanes[3]));
#endif
}

// The first lane equal to value, which one of them must be.
inline std::size_t FirstLaneEqual(Float4 lanes, float value) {
#if defined(__SSE2__)
    const int equal =
        _mm_movemask_ps(_mm_cmpeq_ps(std::bit_cast<__m128>(lanes), _mm_set1_ps(value)));
    return static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(equal)));
#else
    std::size_t lane = 0;
    while (lanes[lane] != value) ++lane;
    return lane;
#endif
}

// Bit i set when lane i of a is not above lane i of b (and neither is NaN).
inline unsigned LanesNotAbove(Float4 a, Float4 b) {
#if defined(__SSE2__)
    return static_cast<unsigned>(
        _mm_movemask_ps(_mm_cmple_ps(std::bit_cast<__m128>(a), std::bit_cast<__m128>(b))));
#else
    return unsigned{a[0] <= b[0]} | unsigned{a[1] <= b[1]} << 1 | unsigned{a[2] <= b[2]} << 2 |
           unsigned{a[3] <= b[3]} << 3;
#endif
}

inline Int4 Abs(Int4 lanes) {
    return lanes < 0 ? -lanes : lanes;
}

inline Float4 Max(Float4 a, Float4 b) {
    return a > b ? a : b;
}

inline Float4 Min(Float4 a, Float4 b) {
    return a < b ? a : b;
}

}  // namespace quantize
