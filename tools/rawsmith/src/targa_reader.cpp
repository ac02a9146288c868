#include <algorithm>
#include <string>

#include "rawsmith/image_readers.h"

namespace rawsmith {
namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr uint8_t kUncompressedTrueColor = 2;
constexpr uint8_t kTopDownBit = 0x20;
constexpr uint8_t kRightToLeftBit = 0x10;

int Word(std::span<const uint8_t> bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}

}  // namespace

bool ReadTarga(std::span<const uint8_t> bytes, TrueColorImage& image, std::string& error) {
    if (bytes.size() < kHeaderSize) {
        error = "too short for a Targa header (" + std::to_string(bytes.size()) + " of 18 bytes)";
        return false;
    }
    const std::size_t idLength = bytes[0];
    const uint8_t colorMapType = bytes[1];
    const uint8_t imageType = bytes[2];
    const std::size_t colorMapLength = static_cast<std::size_t>(Word(bytes, 5));
    const std::size_t colorMapEntryBytes = (bytes[7] + 7u) / 8u;
    const int width = Word(bytes, 12);
    const int height = Word(bytes, 14);
    const int bitsPerPixel = bytes[16];
    const uint8_t descriptor = bytes[17];

    if (imageType != kUncompressedTrueColor) {
        error = "Targa image type " + std::to_string(imageType) +
                " is not supported (only uncompressed true colour, type 2)";
        return false;
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        error = "Targa pixel depth " + std::to_string(bitsPerPixel) +
                " bits is not supported (24 or 32 expected)";
        return false;
    }
    if (width == 0 || height == 0) {
        error = "the image has no pixels (" + std::to_string(width) + " x " +
                std::to_string(height) + ")";
        return false;
    }
    const std::size_t bytesPerPixel = static_cast<std::size_t>(bitsPerPixel) / 8;
    const std::size_t pixelStart =
        kHeaderSize + idLength + (colorMapType == 1 ? colorMapLength * colorMapEntryBytes : 0);
    const std::size_t pixelBytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytesPerPixel;
    if (pixelStart > bytes.size() || bytes.size() - pixelStart < pixelBytes) {
        const std::size_t present = pixelStart > bytes.size() ? 0 : bytes.size() - pixelStart;
        error = "truncated: " + std::to_string(pixelBytes) + " bytes of pixels expected, " +
                std::to_string(present) + " present";
        return false;
    }

    image.width = width;
    image.height = height;
    image.bgr.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
    const bool topDown = (descriptor & kTopDownBit) != 0;
    const bool rightToLeft = (descriptor & kRightToLeftBit) != 0;
    const uint8_t* source = bytes.data() + pixelStart;
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        uint8_t* row = image.bgr.data() + static_cast<std::size_t>(y) * width * 3;
        for (int column = 0; column < width; ++column, source += bytesPerPixel) {
            const int x = rightToLeft ? width - 1 - column : column;
            std::copy_n(source, 3, row + static_cast<std::size_t>(x) * 3);
        }
    }
    return true;
}

}  // namespace rawsmith
