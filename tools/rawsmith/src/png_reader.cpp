#include <algorithm>
#include <array>
#include <string>

#include "rawsmith/image_readers.h"
#include "stb_decode.h"

namespace rawsmith {
namespace {

constexpr std::array<uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, then the IHDR chunk's length, type, width and height.
constexpr std::size_t kSizeFieldsEnd = 24;
constexpr long long kMaxSide = 65535;

long long BigEndian32(std::span<const uint8_t> bytes, std::size_t at) {
    return (static_cast<long long>(bytes[at]) << 24) | (bytes[at + 1] << 16) |
           (bytes[at + 2] << 8) | bytes[at + 3];
}

}  // namespace

ImageResult ReadPng(std::span<const uint8_t> bytes) {
    if (bytes.size() < kSignature.size() ||
        !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) {
        return ImageResult::Fail("not a PNG file (no PNG signature at the start)");
    }
    static constexpr std::array<uint8_t, 8> kHeaderChunk = {0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    if (bytes.size() < kSizeFieldsEnd ||
        !std::equal(kHeaderChunk.begin(), kHeaderChunk.end(), bytes.begin() + 8)) {
        return ImageResult::Fail("malformed or truncated PNG header (no IHDR chunk first)");
    }
    const long long width = BigEndian32(bytes, 16);
    const long long height = BigEndian32(bytes, 20);
    if (width == 0 || height == 0) {
        return ImageResult::Fail("the image has no pixels (" + std::to_string(width) + " x " +
                                 std::to_string(height) + ")");
    }
    if (width > kMaxSide || height > kMaxSide) {
        return ImageResult::Fail("the image is " + std::to_string(width) + " x " +
                                 std::to_string(height) +
                                 ", over the limit of 65535 on either side");
    }
    StbDecoded decoded = DecodeWithStb({}, bytes);
    if (decoded.truncated) return ImageResult::Fail("truncated: the PNG data ends early");
    if (!decoded.failure.empty()) {
        return ImageResult::Fail("cannot decode the PNG data (" + decoded.failure + ")");
    }
    return std::move(decoded.image);
}

}  // namespace rawsmith
