#pragma once

#include <array>
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

// Four bytes (the components of one Pix entry) as integer lanes.
inline Int4 WidenBytes(const uint8_t* bytes) {
#if defined(__SSE2__)
    // Interleaving with zero bytes, then with zero words, widens them in three instructions;
    // the compiler builds this from the plain lane list below in a dozen.
    int32_t word;
    std::memcpy(&word, bytes, sizeof word);
    const __m128i zero = _mm_setzero_si128();
    const __m128i wide = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(word), zero), zero);
    Int4 lanes;
    std::memcpy(&lanes, &wide, sizeof lanes);
    return lanes;
#else
    return Int4{bytes[0], bytes[1], bytes[2], bytes[3]};
#endif
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

inline Int4 Abs(Int4 lanes) {
    return lanes < 0 ? -lanes : lanes;
}

inline Float4 Max(Float4 a, Float4 b) {
    return a > b ? a : b;
}

}  // namespace quantize
