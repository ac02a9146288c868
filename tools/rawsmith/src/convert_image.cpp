#include <algorithm>
#include <cstring>
#include <memory>

#include "quantize/color_quantizer.h"
#include "quantize/failure_reporter.h"
#include "quantize/quantize_image.h"
#include "rawsmith/rawsmith_app.h"

namespace rawsmith {
namespace {

using quantize::QuantBitmap;

// Routes the quantizer's failure texts into one message while it lives.
class FailureCollector {
  public:
    explicit FailureCollector(std::string& message)
        : previous_(quantize::SetQuantizeFailureReporter([&message](const std::string& text) {
              message += (message.empty() ? "" : "; ") + text;
          })) {}
    ~FailureCollector() { quantize::SetQuantizeFailureReporter(previous_); }
    FailureCollector(const FailureCollector&) = delete;
    FailureCollector& operator=(const FailureCollector&) = delete;

  private:
    quantize::FailureReporter previous_;
};

std::unique_ptr<QuantBitmap> SampledBitmap(const TrueColorImage& image) {
    auto sample = QuantBitmap::Create((image.width + 1) / 2, (image.height + 1) / 2, 24);
    if (!sample) return nullptr;
    for (int y = 0; y < sample->Height(); ++y) {
        const uint8_t* source =
            image.bgr.data() + static_cast<std::size_t>(y) * 2 * image.width * 3;
        for (int x = 0; x < sample->Width(); ++x) {
            std::copy_n(source + static_cast<std::size_t>(x) * 6, 3, sample->Row(y) + x * 3);
        }
    }
    return sample;
}

// Each pixel takes the entry nearest to the centre of its 5-bit-per-component cell.
void MapByCells(const TrueColorImage& image, std::span<const quantize::FloatPaletteEntry> palette,
                std::vector<uint8_t>& indices) {
    quantize::PaletteMapper mapper(palette);
    std::vector<int16_t> cells(1 << 15, -1);
    indices.resize(image.bgr.size() / 3);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const uint8_t* p = &image.bgr[i * 3];
        const int cell = (p[0] >> 3) | ((p[1] >> 3) << 5) | ((p[2] >> 3) << 10);
        if (cells[cell] < 0) {
            const auto centre = [](uint8_t v) { return static_cast<uint8_t>((v & 0xF8) | 4); };
            cells[cell] = static_cast<int16_t>(
                std::max(0, mapper.Nearest(centre(p[0]), centre(p[1]), centre(p[2]))));
        }
        indices[i] = static_cast<uint8_t>(cells[cell]);
    }
}

}  // namespace

bool ConvertImage(const TrueColorImage& image, const ConvertOptions& options,
                  std::vector<uint8_t>& indices, std::array<uint8_t, 768>& palette,
                  std::string& error) {
    error.clear();
    FailureCollector collector(error);
    if (!options.samplePalette && !options.coarseMapping) {
        return quantize::QuantizeImage(image.bgr.data(), image.width, image.height, 24, indices,
                                       palette);
    }

    auto bitmap = QuantBitmap::Create(image.width, image.height, 24);
    if (!bitmap) return false;
    std::copy(image.bgr.begin(), image.bgr.end(), bitmap->Data().begin());
    auto sample = options.samplePalette ? SampledBitmap(image) : nullptr;
    if (options.samplePalette && !sample) return false;

    quantize::ColorQuantizer quantizer;
    if (!quantizer.AddBitmap(sample ? *sample : *bitmap) || !quantizer.BuildPalette()) return false;
    std::copy_n(quantizer.BytePalette().begin(), palette.size(), palette.begin());
    if (options.coarseMapping) {
        MapByCells(image, quantizer.FloatPalette(), indices);
        return true;
    }
    if (!quantizer.RemapBitmap(bitmap)) return false;
    indices.assign(bitmap->Data().begin(), bitmap->Data().end());
    return true;
}

}  // namespace rawsmith
