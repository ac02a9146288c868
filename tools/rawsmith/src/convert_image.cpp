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

}  // namespace

bool ConvertImage(const TrueColorImage& image, const ConvertOptions& options,
                  std::vector<uint8_t>& indices, std::array<uint8_t, 768>& palette,
                  std::string& error) {
    error.clear();
    FailureCollector collector(error);
    if (!options.samplePalette && !options.meanSplitsOnly) {
        return quantize::QuantizeImage(image.bgr.data(), image.width, image.height, 24, indices,
                                       palette);
    }

    // The image is read where it is, within the limits of a bitmap like QuantizeImage's.
    if (!QuantBitmap::Accepts(image.width, image.height, 24)) return false;
    auto sample = options.samplePalette ? SampledBitmap(image) : nullptr;
    if (options.samplePalette && !sample) return false;

    quantize::ColorQuantizer quantizer;
    quantizer.SetRefinement(!options.meanSplitsOnly);
    const bool added = sample ? quantizer.AddBitmap(*sample)
                              : quantizer.AddPixels(image.bgr.data(), image.width, image.height);
    if (!added || !quantizer.BuildPalette()) return false;
    indices.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    if (!quantizer.MapPixels(image.bgr.data(), image.width, image.height, indices.data())) {
        indices.clear();
        return false;
    }
    const std::span<const uint8_t> built = quantizer.BytePalette();
    std::copy(built.begin(), built.end(), palette.begin());
    return true;
}

}  // namespace rawsmith
