#pragma once
// Rendered bitmaps to bytes and files: rows as blue, green, red bytes scaled by alpha, the
// 24-bit Targa file, and the palette image pair (.raw indices and .act palette).
#include <hostsdk/bitmap.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace render {

// A channel value already scaled to 0..255 as a byte: clamped, then truncated toward zero.
uint8_t ChannelToByte(double v);
// Row y (0 the top) of the bitmap as width x 3 bytes blue, green, red, each channel scaled by
// the pixel's alpha. Reports "Error getting pixels from bitmap" and returns false when the
// bitmap has no pixels, is wider than the row buffers or the read fails.
bool ReadRow(Bitmap* bitmap, int y, uint8_t* out);
// Writes the bitmap as an uncompressed 24-bit Targa file with its origin at the top left;
// reports "Can't create %s" or "Error writing %s" and returns false on failure.
bool WriteTarga24(Bitmap* bitmap, const std::string& path);

// The steps of a palette image, apart so that they can be timed: the whole bitmap as packed
// blue-green-red rows ("Not enough memory for temp bitmap" or a row failure), the quantizer
// ("Error quantizing bitmap" after its own message), and the two files ("Unable to create %s",
// "Error writing %s"). Each reports its failure and returns false.
bool ReadImage(Bitmap* bitmap, std::vector<uint8_t>& pixels, int& width, int& height);
bool QuantizeForPalette(const std::vector<uint8_t>& pixels, int width, int height,
                        std::vector<uint8_t>& indices, std::array<uint8_t, 768>& palette);
bool WritePaletteFiles(const std::string& tgaPath, const std::vector<uint8_t>& indices,
                       const std::array<uint8_t, 768>& palette);

}  // namespace render
