#include "quantize/quant_bitmap.h"

#include <new>
#include <string>

#include "quantize/failure_reporter.h"

namespace quantize {

int BytesPerPixelOf(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 8:
            return 1;
        case 15:
        case 16:
            return 2;
        case 24:
            return 3;
        case 32:
            return 4;
        default:
            return 0;
    }
}

bool QuantBitmap::Accepts(int width, int height, int bitsPerPixel) {
    const int bytesPerPixel = BytesPerPixelOf(bitsPerPixel);
    if (bytesPerPixel == 0) {
        ReportQuantizeFailure("Invalid bit depth [" + std::to_string(bitsPerPixel) +
                              "] for bitmap");
        return false;
    }
    // The size fields are 16 bits wide; a larger image would be cut short and overrun its data.
    const long long bytesPerRow = static_cast<long long>(width) * bytesPerPixel;
    if (width < 0 || height < 0 || bytesPerRow > 0xFFFF || height > 0xFFFF) {
        ReportQuantizeFailure("Invalid size [" + std::to_string(width) + " x " +
                              std::to_string(height) + "] for bitmap");
        return false;
    }
    return true;
}

std::unique_ptr<QuantBitmap> QuantBitmap::Create(int width, int height, int bitsPerPixel) {
    if (!Accepts(width, height, bitsPerPixel)) return nullptr;
    const int bytesPerPixel = BytesPerPixelOf(bitsPerPixel);
    const long long bytesPerRow = static_cast<long long>(width) * bytesPerPixel;

    std::unique_ptr<QuantBitmap> image(new QuantBitmap());
    image->width_ = static_cast<uint16_t>(width);
    image->height_ = static_cast<uint16_t>(height);
    image->bytesPerRow_ = static_cast<uint16_t>(bytesPerRow);
    image->bitsPerPixel_ = static_cast<uint8_t>(bitsPerPixel);
    image->bytesPerPixel_ = static_cast<uint8_t>(bytesPerPixel);

    try {
        image->data_.resize(static_cast<std::size_t>(bytesPerRow) *
                            static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Could not allocate data buffer.");
        return nullptr;
    }
    try {
        image->rowTable_.resize(static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Could not allocate row table.");
        return nullptr;
    }
    for (int row = 0; row < height; ++row) {
        image->rowTable_[static_cast<std::size_t>(row)] =
            image->data_.data() + static_cast<std::size_t>(row) * image->bytesPerRow_;
    }
    if (bitsPerPixel == 8) {
        try {
            image->palette_.resize(kPaletteBytes);
        } catch (const std::bad_alloc&) {
            ReportQuantizeFailure("Unable to allocate memory for palette.");
            return nullptr;
        }
    }
    return image;
}

void QuantBitmap::SetName(std::string_view name) {
    name_.assign(name.substr(0, kMaxNameLength));
}

}  // namespace quantize
