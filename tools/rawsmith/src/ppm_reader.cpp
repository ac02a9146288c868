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

// Where the pixels of a PPM file are: its size and the offset of its first pixel byte.
struct PpmLayout {
    int width = 0;
    int height = 0;
    std::size_t at = 0;
    std::size_t PixelBytes() const { return static_cast<std::size_t>(width) * height * 3; }
};

support::Result<PpmLayout> ReadPpmHeader(std::span<const uint8_t> bytes) {
    using Layout = support::Result<PpmLayout>;
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') {
        const char* kind = bytes.size() >= 2 && bytes[0] == 'P' ? NetpbmKind(bytes[1]) : nullptr;
        if (kind == nullptr) return Layout::Fail("not a binary PPM file (no P6 at the start)");
        return Layout::Fail(std::string(kind) + " (P" + static_cast<char>(bytes[1]) +
                            ") is not supported: rawsmith reads " + kReadableFormats);
    }
    std::size_t at = 2;
    const long long width = HeaderNumber(bytes, at);
    const long long height = HeaderNumber(bytes, at);
    const long long maxValue = HeaderNumber(bytes, at);
    // Exactly one whitespace byte separates the header from the pixels.
    if (width < 0 || height < 0 || maxValue < 0 || at >= bytes.size() || !std::isspace(bytes[at])) {
        return Layout::Fail("malformed or truncated PPM header");
    }
    ++at;
    if (width > kMaxSide || height > kMaxSide) {
        return Layout::Fail("the image is " + std::to_string(width) + " x " +
                            std::to_string(height) + ", over the limit of 65535 on either side");
    }
    if (width == 0 || height == 0) {
        return Layout::Fail("the image has no pixels (" + std::to_string(width) + " x " +
                            std::to_string(height) + ")");
    }
    if (maxValue != 255) {
        return Layout::Fail("PPM maximum value " + std::to_string(maxValue) +
                            " is not supported (255 expected)");
    }
    const std::size_t pixelBytes = static_cast<std::size_t>(width * height * 3);
    if (bytes.size() - at < pixelBytes) {
        return Layout::Fail("truncated: " + std::to_string(pixelBytes) +
                            " bytes of pixels expected, " + std::to_string(bytes.size() - at) +
                            " present");
    }

    return PpmLayout{static_cast<int>(width), static_cast<int>(height), at};
}

}  // namespace

ImageResult ReadPpm(std::span<const uint8_t> bytes) {
    const support::Result<PpmLayout> layout = ReadPpmHeader(bytes);
    if (!layout) return ImageResult::Fail(layout.error());
    TrueColorImage image;
    image.width = layout->width;
    image.height = layout->height;
    image.bgr.resize(layout->PixelBytes());
    const uint8_t* rgb = bytes.data() + layout->at;
    for (std::size_t i = 0; i < image.bgr.size(); i += 3) {
        image.bgr[i] = rgb[i + 2];
        image.bgr[i + 1] = rgb[i + 1];
        image.bgr[i + 2] = rgb[i];
    }
    return image;
}

ImageResult ReadPpmInPlace(std::vector<uint8_t>&& bytes) {
    const support::Result<PpmLayout> layout = ReadPpmHeader(bytes);
    if (!layout) return ImageResult::Fail(layout.error());
    // Each pixel moves down by the header's length, or stays, so every byte is read before it
    // is written over.
    const std::size_t pixelBytes = layout->PixelBytes();
    uint8_t* data = bytes.data();
    for (std::size_t i = 0; i < pixelBytes; i += 3) {
        const uint8_t* rgb = data + layout->at + i;
        const uint8_t red = rgb[0];
        const uint8_t green = rgb[1];
        const uint8_t blue = rgb[2];
        data[i] = blue;
        data[i + 1] = green;
        data[i + 2] = red;
    }
    bytes.resize(pixelBytes);
    TrueColorImage image;
    image.width = layout->width;
    image.height = layout->height;
    image.bgr = std::move(bytes);
    return image;
}

}  // namespace rawsmith
