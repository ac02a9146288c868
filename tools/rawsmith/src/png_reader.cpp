#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "rawsmith/image_readers.h"
#include "stb_decode.h"

namespace rawsmith {
namespace {

constexpr std::array<uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::array<uint8_t, 8> kHeaderChunkStart = {0, 0, 0, 13, 'I', 'H', 'D', 'R'};
// Signature, the IHDR chunk's length and type, and its fields up to the colour type.
constexpr std::size_t kHeaderFieldsEnd = 26;
// A chunk's length, type and CRC around its data.
constexpr std::size_t kChunkFrame = 12;
constexpr uint64_t kMaxSide = 65535;
// Deflate writes at most 258 bytes for a length code and a distance code of one bit each.
constexpr uint64_t kMaxDeflateRatio = 1032;

uint64_t BigEndian32(std::span<const uint8_t> bytes, std::size_t at) {
    return (uint64_t{bytes[at]} << 24) | (uint64_t{bytes[at + 1]} << 16) |
           (uint64_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

bool HasType(std::span<const uint8_t> bytes, std::size_t chunk, const char* type) {
    return std::memcmp(bytes.data() + chunk + 4, type, 4) == 0;
}

// The bytes of compressed image data (all IDAT chunks), after checking that every chunk up to
// IEND lies inside the file: stb_image sizes its buffers from the lengths the chunks declare
// before it reads them.
support::Result<uint64_t> CompressedSize(std::span<const uint8_t> bytes) {
    uint64_t compressed = 0;
    for (std::size_t at = kSignature.size();;) {
        if (bytes.size() - at < kChunkFrame) {
            return support::Result<uint64_t>::Fail("truncated: the PNG data ends before IEND");
        }
        const uint64_t length = BigEndian32(bytes, at);
        const std::size_t left = bytes.size() - at - kChunkFrame;
        if (length > left) {
            return support::Result<uint64_t>::Fail("truncated: a PNG chunk declares " +
                                                   std::to_string(length) + " bytes, " +
                                                   std::to_string(left) + " present");
        }
        if (HasType(bytes, at, "IDAT")) compressed += length;
        if (HasType(bytes, at, "IEND")) return compressed;
        at += kChunkFrame + length;
    }
}

// The fewest bytes the decompressed pixel rows can take: whole bytes per row, without filters.
uint64_t LeastRawSize(uint64_t width, uint64_t height, uint8_t depth, uint8_t colorType) {
    const uint64_t channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
    return height * ((width * std::max<uint64_t>(depth, 1) * channels + 7) / 8);
}

}  // namespace

ImageResult ReadPng(std::span<const uint8_t> bytes) {
    if (bytes.size() < kSignature.size() ||
        !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) {
        return ImageResult::Fail("not a PNG file (no PNG signature at the start)");
    }
    if (bytes.size() < kHeaderFieldsEnd ||
        !std::equal(kHeaderChunkStart.begin(), kHeaderChunkStart.end(), bytes.begin() + 8)) {
        return ImageResult::Fail("malformed or truncated PNG header (no IHDR chunk first)");
    }
    const uint64_t width = BigEndian32(bytes, 16);
    const uint64_t height = BigEndian32(bytes, 20);
    if (width == 0 || height == 0) {
        return ImageResult::Fail("the image has no pixels (" + std::to_string(width) + " x " +
                                 std::to_string(height) + ")");
    }
    if (width > kMaxSide || height > kMaxSide) {
        return ImageResult::Fail("the image is " + std::to_string(width) + " x " +
                                 std::to_string(height) +
                                 ", over the limit of 65535 on either side");
    }
    const support::Result<uint64_t> compressed = CompressedSize(bytes);
    if (!compressed) return ImageResult::Fail(compressed.error());
    // Refused before stb_image allocates for the whole image: too little data to hold it.
    const uint64_t least = LeastRawSize(width, height, bytes[24], bytes[25]);
    if (*compressed * kMaxDeflateRatio < least) {
        return ImageResult::Fail("truncated: " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels need more than " +
                                 std::to_string(*compressed) + " bytes of compressed data");
    }
    StbDecoded decoded = DecodeWithStb({}, bytes);
    if (decoded.truncated) return ImageResult::Fail("truncated: the PNG data ends early");
    if (!decoded.failure.empty()) {
        return ImageResult::Fail("cannot decode the PNG data (" + decoded.failure + ")");
    }
    return std::move(decoded.image);
}

}  // namespace rawsmith
