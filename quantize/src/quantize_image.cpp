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
    std::vector<std::unique_ptr<QuantBitmap>> bitmaps;
    std::unique_ptr<ColorQuantizer> quantizer;
    try {
        auto image = QuantBitmap::Create(width, height, bitsPerPixel);
        if (!image) {
            ReportQuantizeFailure("Unable to allocate " + std::to_string(bitsPerPixel) +
                                  "-bit bitmap for color quantization");
            return false;
        }
        if (!image->Data().empty()) {
            std::copy_n(pixels, image->Data().size(), image->Data().begin());
        }
        bitmaps.push_back(std::move(image));
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Unable to allocate " + std::to_string(bitsPerPixel) +
                              "-bit bitmap for color quantization");
        return false;
    }
    try {
        quantizer = std::make_unique<ColorQuantizer>();
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Unable to allocate object for color quantization");
        return false;
    }

    if (!quantizer->QuantizeBitmaps(bitmaps)) return false;
    const QuantBitmap& mapped = *bitmaps.front();
    try {
        indices.assign(mapped.Data().begin(), mapped.Data().end());
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Unable to allocate quantized bitmap!");
        return false;
    }
    std::copy(mapped.Palette().begin(), mapped.Palette().end(), palette.begin());
    return true;
}

}  // namespace quantize
