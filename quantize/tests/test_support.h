#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quantize/failure_reporter.h"
#include "quantize/palette_mapper.h"

namespace quantize::testing {

// Collects the failure texts reported while it lives.
class FailureCapture {
  public:
    FailureCapture()
        : previous_(SetQuantizeFailureReporter(
              [this](const std::string& text) { texts.push_back(text); })) {}
    ~FailureCapture() { SetQuantizeFailureReporter(previous_); }
    FailureCapture(const FailureCapture&) = delete;
    FailureCapture& operator=(const FailureCapture&) = delete;

    std::vector<std::string> texts;

  private:
    FailureReporter previous_;
};

// FNV-1a of the index buffer and then the palette, to pin the exact output bytes.
inline uint64_t Fingerprint(std::span<const uint8_t> indices, std::span<const uint8_t> palette) {
    uint64_t hash = 1469598103934665603ull;
    auto add = [&](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (uint8_t byte : indices) add(byte);
    for (uint8_t byte : palette) add(byte);
    return hash;
}

// The plain search the mapping is defined by: every entry from 0 upwards, strictly smaller
// float distance wins, start bound 9999; `previous` when no entry gets below it.
inline int PlainNearest(std::span<const FloatPaletteEntry> palette, const uint8_t* pixel,
                        int previous) {
    const FloatPaletteEntry color = MakeMapColor(pixel[0], pixel[1], pixel[2]);
    float best = 9999.0f;
    int index = previous;
    for (int e = 0; e < static_cast<int>(palette.size()); ++e) {
        const float distance = MapDistance(palette[static_cast<std::size_t>(e)], color);
        if (distance < best) {
            best = distance;
            index = e;
        }
    }
    return index;
}

// The whole mapping of an image with the plain search: even rows from the last pixel, odd
// rows from the first.
inline std::vector<uint8_t> PlainRemap(std::span<const FloatPaletteEntry> palette,
                                       const std::vector<uint8_t>& bgr, int width, int height) {
    std::vector<uint8_t> indices(bgr.size() / 3);
    for (int y = 0; y < height; ++y) {
        int previous = 0;
        for (int step = 0; step < width; ++step) {
            const int x = y % 2 == 0 ? width - 1 - step : step;
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            previous = PlainNearest(palette, &bgr[at * 3], previous);
            indices[at] = static_cast<uint8_t>(previous);
        }
    }
    return indices;
}

}  // namespace quantize::testing
