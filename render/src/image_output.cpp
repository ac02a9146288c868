// Rendered bitmaps as bytes and files: Targa rows, the Targa file and the palette image pair.
#include "render/image_output.h"

#include <cstdio>
#include <new>
#include <tuple>

#include "quantize/failure_reporter.h"
#include "quantize/quantize_image.h"
#include "render/render_utility.h"
#include "support/paths.h"

namespace render {

namespace {

// channel x alpha x 255 / 65535^2: the colour scaled by its coverage, in bytes.
constexpr double kChannelAlphaToByte = 5.9373626057184524e-8;

// The two row buffers of the Targa writer; the output width limit is their size.
BitmapPixel64 hostRow[kMaxOutputWidth];
uint8_t byteRow[kMaxOutputWidth * 3];

std::string Formatted(const char* text, const std::string& path) {
    return text + path;
}

// Writes `size` bytes; false on a short write.
bool WriteAll(std::FILE* file, const void* data, std::size_t size) {
    return size == 0 || std::fwrite(data, 1, size, file) == size;
}

}  // namespace

uint8_t ChannelToByte(double v) {
    if (v >= 255.0) return 255;
    if (v <= 0.0) return 0;
    return static_cast<uint8_t>(v);
}

bool ReadRow(Bitmap* bitmap, int y, uint8_t* out) {
    const int width = bitmap->Width();
    if (width <= 0 || width > kMaxOutputWidth || !bitmap->GetPixels(0, y, width, hostRow)) {
        ReportFailure("Error getting pixels from bitmap");
        return false;
    }
    for (int x = 0; x < width; ++x) {
        const BitmapPixel64& p = hostRow[x];
        const double alpha = p.a;
        out[3 * x] = ChannelToByte(p.b * alpha * kChannelAlphaToByte);
        out[3 * x + 1] = ChannelToByte(p.g * alpha * kChannelAlphaToByte);
        out[3 * x + 2] = ChannelToByte(p.r * alpha * kChannelAlphaToByte);
    }
    return true;
}

bool WriteTarga24(Bitmap* bitmap, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        ReportFailure(Formatted("Can't create ", path));
        return false;
    }
    const int width = bitmap->Width(), height = bitmap->Height();
    const uint8_t header[18] = {0,
                                0,
                                2,  // uncompressed true colour
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                static_cast<uint8_t>(width & 0xFF),
                                static_cast<uint8_t>((width >> 8) & 0xFF),
                                static_cast<uint8_t>(height & 0xFF),
                                static_cast<uint8_t>((height >> 8) & 0xFF),
                                24,
                                0x20};  // origin at the top left
    bool written = WriteAll(file, header, sizeof header);
    for (int y = 0; written && y < height; ++y) {
        if (!ReadRow(bitmap, y, byteRow)) {
            // The row reader has reported; a Targa file without all its rows is no image.
            std::fclose(file);
            std::remove(path.c_str());
            return false;
        }
        written = WriteAll(file, byteRow, static_cast<std::size_t>(width) * 3);
    }
    if (std::fclose(file) != 0) written = false;
    if (!written) {
        std::remove(path.c_str());
        ReportFailure(Formatted("Error writing ", path));
        return false;
    }
    return true;
}

bool ReadImage(Bitmap* bitmap, std::vector<uint8_t>& pixels, int& width, int& height) {
    width = bitmap->Width();
    height = bitmap->Height();
    if (width < 0 || height < 0) width = height = 0;
    try {
        pixels.assign(static_cast<std::size_t>(width) * height * 3, 0);
    } catch (const std::bad_alloc&) {
        ReportFailure("Not enough memory for temp bitmap");
        return false;
    }
    for (int y = 0; y < height; ++y)
        if (!ReadRow(bitmap, y, pixels.data() + static_cast<std::size_t>(y) * width * 3))
            return false;
    return true;
}

bool QuantizeForPalette(const std::vector<uint8_t>& pixels, int width, int height,
                        std::vector<uint8_t>& indices, std::array<uint8_t, 768>& palette) {
    // The quantizer's own failures go through the utility's reporter.
    const quantize::FailureReporter previous =
        quantize::SetQuantizeFailureReporter([](const std::string& text) { ReportFailure(text); });
    const bool ok = quantize::QuantizeImage(pixels.empty() ? nullptr : pixels.data(), width, height,
                                            24, indices, palette);
    quantize::SetQuantizeFailureReporter(previous);
    if (!ok) ReportFailure("Error quantizing bitmap");
    return ok;
}

bool WritePaletteFiles(const std::string& tgaPath, const std::vector<uint8_t>& indices,
                       const std::array<uint8_t, 768>& palette) {
    // The .raw first, then the .act; a failure after the .raw leaves the .raw.
    const std::string rawPath = support::ReplaceExtension(tgaPath, ".raw");
    const std::string actPath = support::ReplaceExtension(tgaPath, ".act");
    for (const auto& [path, data, size] : {std::tuple{rawPath, indices.data(), indices.size()},
                                           std::tuple{actPath, palette.data(), palette.size()}}) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            ReportFailure(Formatted("Unable to create ", path));
            return false;
        }
        const bool written = WriteAll(file, data, size);
        if ((std::fclose(file) != 0) || !written) {
            ReportFailure(Formatted("Error writing ", path));
            return false;
        }
    }
    return true;
}

}  // namespace render
