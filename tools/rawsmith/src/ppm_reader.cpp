#include <algorithm>
#include <cctype>
#include <string>

#include "rawsmith/image_readers.h"

namespace rawsmith {
namespace {

constexpr long long kMaxSide = 65535;

// Reads one decimal header field after whitespace and comments; -1 when there is none.
long long HeaderNumber(std::span<const uint8_t> bytes, std::size_t& at) {
    while (at < bytes.size()) {
        if (bytes[at] == '#') {
            while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') ++at;
        } else if (std::isspace(bytes[at])) {
            ++at;
        } else {
            break;
        }
    }
    long long value = -1;
    while (at < bytes.size() && std::isdigit(bytes[at])) {
        value = (value < 0 ? 0 : value) * 10 + (bytes[at] - '0');
        if (value > 1'000'000'000) return -1;  // no sane field is this long
        ++at;
    }
    return value;
}

// The other Netpbm formats by their magic digit, for a message that says what the file is.
const char* NetpbmKind(uint8_t digit) {
    switch (digit) {
        case '1':
            return "ASCII PBM";
        case '2':
            return "ASCII PGM";
        case '3':
            return "ASCII PPM";
        case '4':
            return "binary PBM";
        case '5':
            return "binary PGM";
        case '7':
            return "PAM";
        default:
            return nullptr;
    }
}

}  // namespace

ImageResult ReadPpm(std::span<const uint8_t> bytes) {
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') {
        const char* kind = bytes.size() >= 2 && bytes[0] == 'P' ? NetpbmKind(bytes[1]) : nullptr;
        if (kind == nullptr) return ImageResult::Fail("not a binary PPM file (no P6 at the start)");
        return ImageResult::Fail(std::string(kind) + " (P" + static_cast<char>(bytes[1]) +
                                 ") is not supported: rawsmith reads " + kReadableFormats);
    }
    std::size_t at = 2;
    const long long width = HeaderNumber(bytes, at);
    const long long height = HeaderNumber(bytes, at);
    const long long maxValue = HeaderNumber(bytes, at);
    // Exactly one whitespace byte separates the header from the pixels.
    if (width < 0 || height < 0 || maxValue < 0 || at >= bytes.size() || !std::isspace(bytes[at])) {
        return ImageResult::Fail("malformed or truncated PPM header");
    }
    ++at;
    if (width > kMaxSide || height > kMaxSide) {
        return ImageResult::Fail("the image is " + std::to_string(width) + " x " +
                                 std::to_string(height) +
                                 ", over the limit of 65535 on either side");
    }
    if (width == 0 || height == 0) {
        return ImageResult::Fail("the image has no pixels (" + std::to_string(width) + " x " +
                                 std::to_string(height) + ")");
    }
    if (maxValue != 255) {
        return ImageResult::Fail("PPM maximum value " + std::to_string(maxValue) +
                                 " is not supported (255 expected)");
    }
    const std::size_t pixelBytes = static_cast<std::size_t>(width * height * 3);
    if (bytes.size() - at < pixelBytes) {
        return ImageResult::Fail("truncated: " + std::to_string(pixelBytes) +
                                 " bytes of pixels expected, " + std::to_string(bytes.size() - at) +
                                 " present");
    }

    TrueColorImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bgr.resize(pixelBytes);
    for (std::size_t i = 0; i < pixelBytes; i += 3) {
        image.bgr[i] = bytes[at + i + 2];
        image.bgr[i + 1] = bytes[at + i + 1];
        image.bgr[i + 2] = bytes[at + i];
    }
    return image;
}

}  // namespace rawsmith
