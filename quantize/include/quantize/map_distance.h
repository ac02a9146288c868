#pragma once

#include <cstdint>

namespace quantize {

// A palette entry as the mapping compares it: the three components and the luminance
// L = 0.3·c0 + 0.59·c1 + 0.11·c2, all 32-bit floats.
struct FloatPaletteEntry {
    float c0 = 0.0f;
    float c1 = 0.0f;
    float c2 = 0.0f;
    float lum = 0.0f;
};

// Luminance as both the palette and the mapped pixels use it: computed in double, stored as
// float.
float Luminance(float c0, float c1, float c2);

FloatPaletteEntry MakeFloatPaletteEntry(float c0, float c1, float c2);

// A pixel about to be mapped: its components and luminance as floats clamped to [0, 255].
FloatPaletteEntry MakeMapColor(uint8_t c0, uint8_t c1, uint8_t c2);

// The mapping distance 0.3·Δc0² + 0.59·Δc1² + 0.11·Δc2² + 0.15·ΔL², each difference a float,
// summed in double and rounded to float, which is the precision the search compares in.
float MapDistance(const FloatPaletteEntry& entry, const FloatPaletteEntry& color);

// The search only accepts entries strictly below this distance.
inline constexpr float kMapStartBound = 9999.0f;

}  // namespace quantize
