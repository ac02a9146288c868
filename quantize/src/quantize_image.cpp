#include "quantize/quantize_image.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "quantize/color_quantizer.h"
#include "quantize/failure_reporter.h"
#include "quantize/quant_bitmap.h"

namespace quantize {

bool QuantizeImage(const uint8_t* pixels, int width, int height, int bitsPerPixel,
                   std::vector<uint8_t>& indices, std::array<uint8_t, 768>& palette) {
    indices.clear();
    palette.fill(0);

    if (pixels == nullptr && width > 0 && height > 0) {
        ReportQuantizeFailure("No pixels given for color quantization");
        return false;
    }
    // The pixels are read where they are, but only at a depth and size a bitmap would take.
    if (!QuantBitmap::Accepts(width, height, bitsPerPixel)) {
        ReportQuantizeFailure("Unable to allocate " + std::to_string(bitsPerPixel) +
                              "-bit bitmap for color quantization");
        return false;
    }
    std::unique_ptr<ColorQuantizer> quantizer;
    try {
        quantizer = std::make_unique<ColorQuantizer>();
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Unable to allocate object for color quantization");
        return false;
    }

    // Only 24-bit pixels are quantized: other depths leave nothing to build a palette from.
    if (bitsPerPixel == 24 && !quantizer->AddPixels(pixels, width, height)) return false;
    if (!quantizer->BuildPalette()) return false;
    try {
        indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Unable to allocate quantized bitmap!");
        return false;
    }
    if (!quantizer->MapPixels(pixels, width, height, indices.data())) {
        indices.clear();
        return false;
    }
    const std::span<const uint8_t> built = quantizer->BytePalette();
    std::copy(built.begin(), built.end(), palette.begin());
    return true;
}

}  // namespace quantize
