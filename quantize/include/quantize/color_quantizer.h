#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "quantize/color_box.h"
#include "quantize/palette_mapper.h"
#include "quantize/quant_bitmap.h"

namespace quantize {

// Reduces 24-bit images to one shared palette of 256 entries. Steps, in this order:
// ResetQuantizer, AddBitmap for every image, BuildPalette, RemapBitmap for every image,
// ResetQuantizer; QuantizeBitmaps runs them all. Every failure with a text of its own is
// reported through ReportQuantizeFailure.
class ColorQuantizer {
  public:
    static constexpr int kColorCount = 256;

    // Called with ("Phase 1", rows, row) while collecting, ("Phase 2", 255, split) while
    // building the palette and ("Phase 3", rows, row) while mapping. Returning true aborts the
    // step, which then fails without a text.
    using ProgressHook = std::function<bool(std::string_view phase, int total, int current)>;

    ColorQuantizer() = default;

    void SetProgressHook(ProgressHook hook) { progressHook_ = std::move(hook); }

    // With refinement off, BuildPalette splits boxes at their means only and skips the
    // reassignment pass after each split: faster, somewhat worse, for previews. On by default.
    void SetRefinement(bool enabled) { refinement_ = enabled; }

    // Builds one palette from every 24-bit image of the list and replaces each of them by its
    // 8-bit form; images of other depths stay as they are. On failure the images replaced so
    // far keep their 8-bit form.
    bool QuantizeBitmaps(std::vector<std::unique_ptr<QuantBitmap>>& bitmaps);

    // Releases the working memory and zeroes the boxes and palettes; keeps the progress hook
    // and the refinement setting.
    void ResetQuantizer();

    // Appends the pixels of a 24-bit image to the Pix array; other depths add nothing.
    bool AddBitmap(const QuantBitmap& bitmap);

    // The same for width x height pixels of three bytes, rows packed, row 0 first, read where
    // they are.
    bool AddPixels(const uint8_t* pixels, int width, int height);

    // Splits the collected pixels into boxes, releases the Pix array and builds the palette,
    // sorted by luminance with stable order among equal luminances. Fails with "Nothing to
    // quantize." when no pixel was collected.
    bool BuildPalette();

    // Replaces a 24-bit image by its 8-bit form carrying the byte palette; other depths are
    // left alone. On failure the image is unchanged.
    bool RemapBitmap(std::unique_ptr<QuantBitmap>& bitmap);

    // Writes the palette index of each of width x height pixels of three bytes (rows packed,
    // row 0 first) to `indices`, in the same order, as RemapBitmap maps them.
    bool MapPixels(const uint8_t* pixels, int width, int height, uint8_t* indices);

    void ComputeBoxStats(int box);
    void SplitBox(int chosen, int added);
    void RefineSplit(int chosen, int added);

    std::span<const PixEntry> PixArray() const { return pix_; }
    std::span<const ColorBox> Boxes() const { return boxes_; }
    std::span<const FloatPaletteEntry> FloatPalette() const { return floatPalette_; }
    // Entry e is (c2, c1, c0) of the entry's mean: red, green, blue for blue-green-red pixels.
    std::span<const uint8_t> BytePalette() const { return bytePalette_; }

  private:
    bool Progress(std::string_view phase, int total, int current) const;
    void BuildSortedPalette();

    ProgressHook progressHook_;
    bool refinement_ = true;
    std::vector<PixEntry> pix_;
    std::array<ColorBox, kColorCount> boxes_{};
    std::array<FloatPaletteEntry, kColorCount> floatPalette_{};
    std::array<uint8_t, kColorCount * 3> bytePalette_{};
};

}  // namespace quantize
