#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace rawsmith {

// A true-colour image as the quantizer takes it: three bytes per pixel, blue, green, red,
// rows packed, top row first.
struct TrueColorImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;
};

// Reads an uncompressed true-colour Targa file (image type 2) of 24 or 32 bits per pixel, in
// any of its four pixel orders; alpha is dropped. Bytes after the pixels (a Targa 2.0 footer)
// are ignored. On failure `error` says what is wrong.
bool ReadTarga(std::span<const uint8_t> bytes, TrueColorImage& image, std::string& error);

// Reads a binary PPM (P6) file with a maximum value of 255.
bool ReadPpm(std::span<const uint8_t> bytes, TrueColorImage& image, std::string& error);

// Reads a PPM file when the bytes start with "P6", a Targa file otherwise.
bool ReadImage(std::span<const uint8_t> bytes, TrueColorImage& image, std::string& error);

// Reads a whole file into `bytes`.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

}  // namespace rawsmith
