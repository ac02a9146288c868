#include "quantize/color_quantizer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "quantize/failure_reporter.h"

namespace quantize {
namespace {

// Means are at most 255 for any real image, but 32-bit float sums of a huge bright image can
// round a mean up to 256, which must not wrap to 0.
uint8_t PaletteByte(float component) {
    return static_cast<uint8_t>(std::clamp(component, 0.0f, 255.0f));
}

}  // namespace

bool ColorQuantizer::Progress(std::string_view phase, int total, int current) const {
    return progressHook_ && progressHook_(phase, total, current);
}

void ColorQuantizer::ResetQuantizer() {
    std::vector<PixEntry>().swap(pix_);
    boxes_ = {};
    floatPalette_ = {};
    bytePalette_ = {};
}

bool ColorQuantizer::QuantizeBitmaps(std::vector<std::unique_ptr<QuantBitmap>>& bitmaps) {
    ResetQuantizer();
    bool ok = true;
    for (const auto& bitmap : bitmaps) {
        if (ok && bitmap && bitmap->BitsPerPixel() == 24) ok = AddBitmap(*bitmap);
    }
    ok = ok && BuildPalette();
    for (auto& bitmap : bitmaps) {
        if (ok && bitmap && bitmap->BitsPerPixel() == 24) ok = RemapBitmap(bitmap);
    }
    ResetQuantizer();
    return ok;
}

bool ColorQuantizer::AddBitmap(const QuantBitmap& bitmap) {
    if (bitmap.BitsPerPixel() != 24) return true;
    return AddPixels(bitmap.Data().data(), bitmap.Width(), bitmap.Height());
}

bool ColorQuantizer::AddPixels(const uint8_t* pixels, int width, int height) {
    const std::size_t rowPixels = static_cast<std::size_t>(width);
    const std::size_t added = rowPixels * static_cast<std::size_t>(height);
    const std::size_t start = pix_.size();
    // Box runs are counted in 32 bits.
    if (added > std::numeric_limits<uint32_t>::max() - start) {
        ReportQuantizeFailure("Unable to allocate memory for Pix array.");
        return false;
    }
    try {
        pix_.reserve(start + added);
        pix_.resize(start + added);
    } catch (const std::bad_alloc&) {
        ReportQuantizeFailure("Unable to allocate memory for Pix array.");
        return false;
    }

    PixEntry* out = pix_.data() + start;
    for (int row = 0; row < height; ++row) {
        MakePixEntries(pixels + static_cast<std::size_t>(row) * rowPixels * 3, rowPixels, out);
        out += rowPixels;
        if (Progress("Phase 1", height, row)) return false;
    }
    boxes_[0].first = 0;
    boxes_[0].count = static_cast<uint32_t>(pix_.size());
    return true;
}

void ColorQuantizer::ComputeBoxStats(int box) {
    quantize::ComputeBoxStats(pix_, boxes_[static_cast<std::size_t>(box)]);
}

void ColorQuantizer::SplitBox(int chosen, int added) {
    quantize::SplitBox(pix_, boxes_[static_cast<std::size_t>(chosen)],
                       boxes_[static_cast<std::size_t>(added)]);
}

void ColorQuantizer::RefineSplit(int chosen, int added) {
    quantize::RefineSplit(pix_, boxes_[static_cast<std::size_t>(chosen)],
                          boxes_[static_cast<std::size_t>(added)]);
}

bool ColorQuantizer::BuildPalette() {
    if (pix_.empty()) {
        ReportQuantizeFailure("Nothing to quantize.");
        return false;
    }
    ComputeBoxStats(0);
    // Boxes known to give their whole run, unchanged, to the added box when split.
    std::array<bool, kColorCount> splitsWhole{};
    for (int i = 0; i < kColorCount - 1; ++i) {
        if (Progress("Phase 2", kColorCount - 1, i)) return false;
        const int chosen = WorstBox(std::span<const ColorBox>(boxes_).first(i + 1));
        ColorBox& box = boxes_[chosen];
        ColorBox& added = boxes_[i + 1];
        if (box.error <= 0.0f) break;  // every box holds one colour
        if (splitsWhole[chosen]) {
            // The same run with the same statistics splits the same way again.
            added = box;
            box = ColorBox{};
            box.first = added.first;
            splitsWhole[chosen] = false;
            splitsWhole[i + 1] = true;
        } else {
            splitsWhole[i + 1] = SplitChosenBox(pix_, box, added, refinement_);
        }
    }
    std::vector<PixEntry>().swap(pix_);
    BuildSortedPalette();
    return true;
}

void ColorQuantizer::BuildSortedPalette() {
    for (int e = 0; e < kColorCount; ++e) {
        const auto& mean = boxes_[e].mean;
        floatPalette_[e] = MakeFloatPaletteEntry(mean[0], mean[1], mean[2]);
    }
    // Bubble sort: neighbours swap only when the left one is brighter, so equal luminances
    // keep their box order.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int e = 0; e + 1 < kColorCount; ++e) {
            if (floatPalette_[e].lum > floatPalette_[e + 1].lum) {
                std::swap(floatPalette_[e], floatPalette_[e + 1]);
                swapped = true;
            }
        }
    }
    for (int e = 0; e < kColorCount; ++e) {
        bytePalette_[e * 3 + 0] = PaletteByte(floatPalette_[e].c2);
        bytePalette_[e * 3 + 1] = PaletteByte(floatPalette_[e].c1);
        bytePalette_[e * 3 + 2] = PaletteByte(floatPalette_[e].c0);
    }
}

bool ColorQuantizer::RemapBitmap(std::unique_ptr<QuantBitmap>& bitmap) {
    if (bitmap->BitsPerPixel() != 24) return true;
    std::unique_ptr<QuantBitmap> mapped = QuantBitmap::Create(bitmap->Width(), bitmap->Height(), 8);
    if (!mapped) return false;
    if (!MapPixels(bitmap->Data().data(), bitmap->Width(), bitmap->Height(),
                   mapped->Data().data())) {
        return false;
    }
    mapped->SetName(bitmap->Name());
    std::copy(bytePalette_.begin(), bytePalette_.end(), mapped->Palette().begin());
    bitmap = std::move(mapped);
    return true;
}

bool ColorQuantizer::MapPixels(const uint8_t* pixels, int width, int height, uint8_t* indices) {
    std::unique_ptr<PaletteMapper> mapper;
    try {
        mapper = std::make_unique<PaletteMapper>(floatPalette_);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const std::size_t rowPixels = static_cast<std::size_t>(width);
    // In bands of rows. The first rows of a band are mapped row by row, remembering colours;
    // when they show that nearly every pixel has a colour of its own, as in noise, the rest of
    // the band is searched cell by cell instead, which is faster there.
    constexpr std::size_t kBandPixels = 1 << 16;
    constexpr std::size_t kTrialPixels = 1 << 11;
    const int bandRows = static_cast<int>(std::max<std::size_t>(1, kBandPixels / rowPixels));
    const int trialRows = static_cast<int>(std::max<std::size_t>(1, kTrialPixels / rowPixels));
    for (int band = 0; band < height; band += bandRows) {
        const int bandEnd = std::min(height, band + bandRows);
        const std::size_t searchesBefore = mapper->Searches();
        int row = band;
        for (; row < bandEnd; ++row) {
            const std::size_t at = static_cast<std::size_t>(row) * rowPixels;
            const std::size_t mapped = static_cast<std::size_t>(row - band) * rowPixels;
            if (row - band >= trialRows && (mapper->Searches() - searchesBefore) * 4 > mapped * 3) {
                break;
            }
            if (Progress("Phase 3", height, row)) return false;
            mapper->MapRow(pixels + at * 3, width, row, indices + at);
        }
        if (row == bandEnd) continue;
        for (int r = row; r < bandEnd; ++r) {
            if (Progress("Phase 3", height, r)) return false;
        }
        const std::size_t at = static_cast<std::size_t>(row) * rowPixels;
        try {
            mapper->MapRows(pixels + at * 3, width, row, bandEnd - row, indices + at);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    return true;
}

}  // namespace quantize
