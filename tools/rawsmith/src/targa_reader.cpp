#include <algorithm>
#include <array>
#include <string>

#include "rawsmith/image_readers.h"
#include "stb_decode.h"

namespace rawsmith {
namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr uint8_t kUncompressedTrueColor = 2;
constexpr uint8_t kRunLengthTrueColor = 10;
constexpr uint8_t kTopDownBit = 0x20;
constexpr uint8_t kRightToLeftBit = 0x10;
// One run-length packet: a count byte, then one pixel repeated or up to 128 literal pixels.
constexpr std::size_t kMaxPacketPixels = 128;

struct TargaLayout {
    int width;
    int height;
    std::size_t bytesPerPixel;
    bool topDown;
    bool rightToLeft;
};

int Word(std::span<const uint8_t> bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}

std::size_t PixelCount(const TargaLayout& layout) {
    return static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height);
}

ImageResult ReadUncompressed(std::span<const uint8_t> data, const TargaLayout& layout) {
    const std::size_t pixelBytes = PixelCount(layout) * layout.bytesPerPixel;
    if (data.size() < pixelBytes) {
        return ImageResult::Fail("truncated: " + std::to_string(pixelBytes) +
                                 " bytes of pixels expected, " + std::to_string(data.size()) +
                                 " present");
    }
    TrueColorImage image;
    image.width = layout.width;
    image.height = layout.height;
    image.bgr.assign(PixelCount(layout) * 3, 0);
    const uint8_t* source = data.data();
    for (int stored = 0; stored < layout.height; ++stored) {
        const int y = layout.topDown ? stored : layout.height - 1 - stored;
        uint8_t* row = image.bgr.data() + static_cast<std::size_t>(y) * layout.width * 3;
        for (int column = 0; column < layout.width; ++column, source += layout.bytesPerPixel) {
            const int x = layout.rightToLeft ? layout.width - 1 - column : column;
            std::copy_n(source, 3, row + static_cast<std::size_t>(x) * 3);
        }
    }
    return image;
}

void MirrorRows(TrueColorImage& image) {
    for (int y = 0; y < image.height; ++y) {
        uint8_t* row = image.bgr.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int left = 0, right = image.width - 1; left < right; ++left, --right) {
            std::swap_ranges(row + left * 3, row + left * 3 + 3, row + right * 3);
        }
    }
}

ImageResult ReadRunLength(std::span<const uint8_t> data, const TargaLayout& layout) {
    // Refused before anything is allocated: too few bytes for even the longest packets.
    const std::size_t least =
        (PixelCount(layout) + kMaxPacketPixels - 1) / kMaxPacketPixels * (1 + layout.bytesPerPixel);
    if (data.size() < least) {
        return ImageResult::Fail("truncated: " + std::to_string(layout.width) + " x " +
                                 std::to_string(layout.height) + " pixels need at least " +
                                 std::to_string(least) + " bytes of run-length data, " +
                                 std::to_string(data.size()) + " present");
    }
    // stb_image takes a colour map as a palette even in a true-colour image, and does not know
    // right-to-left rows: it gets a header without either, in front of the file's pixel data.
    std::array<uint8_t, kHeaderSize> header{};
    header[2] = kRunLengthTrueColor;
    header[12] = static_cast<uint8_t>(layout.width);
    header[13] = static_cast<uint8_t>(layout.width >> 8);
    header[14] = static_cast<uint8_t>(layout.height);
    header[15] = static_cast<uint8_t>(layout.height >> 8);
    header[16] = static_cast<uint8_t>(layout.bytesPerPixel * 8);
    header[17] = layout.topDown ? kTopDownBit : 0;
    StbDecoded decoded = DecodeWithStb(header, data);
    if (decoded.truncated) {
        return ImageResult::Fail("truncated: the run-length data ends before the last pixel (" +
                                 std::to_string(data.size()) + " bytes)");
    }
    if (!decoded.failure.empty()) {
        return ImageResult::Fail("cannot decode the run-length data (" + decoded.failure + ")");
    }
    if (layout.rightToLeft) MirrorRows(decoded.image);
    return std::move(decoded.image);
}

}  // namespace

ImageResult ReadTarga(std::span<const uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) {
        return ImageResult::Fail("too short for a Targa header (" + std::to_string(bytes.size()) +
                                 " of 18 bytes)");
    }
    const std::size_t idLength = bytes[0];
    const uint8_t colorMapType = bytes[1];
    const uint8_t imageType = bytes[2];
    const std::size_t colorMapLength = static_cast<std::size_t>(Word(bytes, 5));
    // 15-bit entries take two bytes, as 16-bit ones do.
    const std::size_t colorMapEntryBytes = (bytes[7] + 7u) / 8u;
    const int bitsPerPixel = bytes[16];
    const uint8_t descriptor = bytes[17];
    const TargaLayout layout{Word(bytes, 12), Word(bytes, 14),
                             static_cast<std::size_t>(bitsPerPixel) / 8,
                             (descriptor & kTopDownBit) != 0, (descriptor & kRightToLeftBit) != 0};

    if (imageType != kUncompressedTrueColor && imageType != kRunLengthTrueColor) {
        return ImageResult::Fail("Targa image type " + std::to_string(imageType) +
                                 " is not supported (only true colour: type 2, or 10 run-length "
                                 "encoded)");
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        return ImageResult::Fail("Targa pixel depth " + std::to_string(bitsPerPixel) +
                                 " bits is not supported (24 or 32 expected)");
    }
    if (layout.width == 0 || layout.height == 0) {
        return ImageResult::Fail("the image has no pixels (" + std::to_string(layout.width) +
                                 " x " + std::to_string(layout.height) + ")");
    }
    const std::size_t pixelStart =
        kHeaderSize + idLength + (colorMapType == 1 ? colorMapLength * colorMapEntryBytes : 0);
    const auto data = bytes.subspan(std::min(pixelStart, bytes.size()));
    return imageType == kUncompressedTrueColor ? ReadUncompressed(data, layout)
                                               : ReadRunLength(data, layout);
}

}  // namespace rawsmith
