#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quantize {

// Reduces width x height pixels of bitsPerPixel / 8 bytes each (15 counts as 2; rows packed,
// row 0 first) to 256 colours. Only 24-bit pixels are quantized: other accepted depths fail
// with "Nothing to quantize.". On success `indices` holds width x height palette indices in
// the same row order and `palette` 256 entries of (component 2, component 1, component 0),
// sorted by luminance, darkest first; for blue-green-red pixels that is red, green, blue. On
// failure the reason has gone to the failure reporter, `indices` is empty and `palette` zero.
// `pixels` may be null only when the image is empty.
bool QuantizeImage(const uint8_t* pixels, int width, int height, int bitsPerPixel,
                   std::vector<uint8_t>& indices, std::array<uint8_t, 768>& palette);

}  // namespace quantize
