#pragma once

#include <cstdint>
#include <span>
#include <vector>

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

// Finds, for any colour, the index that a plain search from entry 0 upwards would find: the
// lowest index among the entries with the smallest distance below kMapStartBound. It gets
// there faster by skipping duplicate entries, visiting entries outwards from the colour's
// luminance and stopping where a provable lower bound of the distance exceeds the best found,
// and by remembering recent colours.
class PaletteMapper {
  public:
    explicit PaletteMapper(std::span<const FloatPaletteEntry> palette);

    // The index of the nearest entry, or -1 when no entry lies below kMapStartBound.
    int Nearest(uint8_t c0, uint8_t c1, uint8_t c2);

    // Maps one row of three-byte pixels. Even rows (row 0 too) run from the last pixel to the
    // first, odd rows from the first to the last; a pixel with no entry below the start bound
    // takes the index of the pixel mapped before it in that order, or 0 when it comes first.
    void MapRow(const uint8_t* pixels, int width, int row, uint8_t* indices);

  private:
    struct Candidate {
        FloatPaletteEntry entry;
        int index = 0;
    };
    struct CacheSlot {
        uint32_t tag = 0;  // colour + 1 << 24, so that 0 marks an empty slot
        int32_t index = 0;
    };

    int Search(const FloatPaletteEntry& color) const;

    std::vector<Candidate> candidates_;  // first occurrences only, by ascending luminance
    std::vector<float> candidateLum_;
    std::vector<CacheSlot> cache_;
};

}  // namespace quantize
