#include "quantize/map_distance.h"

#include <algorithm>

namespace quantize {

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

}  // namespace quantize
