#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quantize {

// The quantizer's own image record: rows packed without padding, top row first. An 8-bit
// image also carries a 768-byte palette of 256 three-byte entries.
class QuantBitmap {
  public:
    static constexpr std::size_t kMaxNameLength = 19;  // a 20-character field with terminator
    static constexpr std::size_t kPaletteBytes = 768;

    // Makes a zeroed image of width x height at 8, 15, 16, 24 or 32 bits per pixel (15 takes
    // two bytes). Width x bytes per pixel and height must each stay below 65536, the range of
    // the record's 16-bit size fields. Reports the failure and returns null otherwise, or when
    // memory runs out.
    static std::unique_ptr<QuantBitmap> Create(int width, int height, int bitsPerPixel);

    // Whether Create would accept the depth and size, reporting the failure as Create does
    // when not; allocates nothing.
    static bool Accepts(int width, int height, int bitsPerPixel);

    QuantBitmap(const QuantBitmap&) = delete;
    QuantBitmap& operator=(const QuantBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BytesPerRow() const { return bytesPerRow_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    int BytesPerPixel() const { return bytesPerPixel_; }

    const std::string& Name() const { return name_; }
    // Keeps at most kMaxNameLength characters.
    void SetName(std::string_view name);

    std::span<uint8_t> Data() { return data_; }
    std::span<const uint8_t> Data() const { return data_; }
    uint8_t* Row(int row) { return rowTable_[static_cast<std::size_t>(row)]; }
    const uint8_t* Row(int row) const { return rowTable_[static_cast<std::size_t>(row)]; }

    // Empty unless the image has 8 bits per pixel.
    std::span<uint8_t> Palette() { return palette_; }
    std::span<const uint8_t> Palette() const { return palette_; }

  private:
    QuantBitmap() = default;

    std::string name_;
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    uint16_t bytesPerRow_ = 0;
    uint8_t bitsPerPixel_ = 0;
    uint8_t bytesPerPixel_ = 0;
    std::vector<uint8_t> data_;
    std::vector<uint8_t*> rowTable_;
    std::vector<uint8_t> palette_;
};

// Bytes one pixel takes at a depth the record accepts, 0 for any other depth.
int BytesPerPixelOf(int bitsPerPixel);

}  // namespace quantize
