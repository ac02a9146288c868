#pragma once
// The image files rawsmith reads. Each reader checks the file's header itself and says what is
// wrong with it; the compressed formats are then decoded by stb_image.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "support/result.h"

namespace rawsmith {

// A true-colour image as the quantizer takes it: three bytes per pixel, blue, green, red,
// rows packed, top row first. Width and height are at least 1 and at most 65535.
struct TrueColorImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;
};
using ImageResult = support::Result<TrueColorImage>;

// What rawsmith reads, for messages and the usage text.
extern const char* const kReadableFormats;

// A true-colour Targa file of 24 or 32 bits per pixel, uncompressed (image type 2) or
// run-length encoded (type 10), in any of its four pixel orders; alpha is dropped. An image id
// and a colour map before the pixels are skipped; bytes after the pixels (a Targa 2.0 footer)
// are ignored.
ImageResult ReadTarga(std::span<const uint8_t> bytes);

// A binary PPM (P6) file with a maximum value of 255.
ImageResult ReadPpm(std::span<const uint8_t> bytes);
// The same, with the image made in the file's own buffer instead of a copy.
ImageResult ReadPpmInPlace(std::vector<uint8_t>&& bytes);

// A PNG file of any colour type and depth; alpha is dropped, 16-bit samples are cut to 8.
ImageResult ReadPng(std::span<const uint8_t> bytes);

// Any of the above, told apart by the first bytes.
ImageResult ReadImage(std::span<const uint8_t> bytes);
// The same, taking the file's buffer for the image where the format allows.
ImageResult ReadImageInPlace(std::vector<uint8_t>&& bytes);

// The image in the file at `path`; the error does not repeat the path.
ImageResult ReadImageFile(const std::string& path);

}  // namespace rawsmith
