#pragma once
// The host's bitmap manager: loads image files (PNG, JPEG, BMP, TGA, GIF, PSD, HDR, PIC, PNM)
// into 64-bit RGBA bitmaps and makes empty ones.
#include <string>
#include <vector>

#include "hostsdk/bitmap.h"

namespace plughost {

// Bitmaps loaded or created and not yet released with DeleteThis.
int LiveBitmaps();

// A bitmap held in memory as 16-bit RGBA pixels.
class MemoryBitmap : public Bitmap {
  public:
    MemoryBitmap(int width, int height, std::vector<BitmapPixel64> pixels);

    int Width() override { return width_; }
    int Height() override { return height_; }
    int GetPixels(int x, int y, int count, BitmapPixel64* out) override;
    int PutPixels(int x, int y, int count, const BitmapPixel64* in) override;
    void DeleteThis() override { delete this; }

  private:
    ~MemoryBitmap() override;
    bool InRange(int x, int y, int count) const;

    int width_, height_;
    std::vector<BitmapPixel64> pixels_;
};

class HostBitmapManager : public BitmapManager {
  public:
    // Relative names are looked up in `baseFolder` (the scene file's folder).
    explicit HostBitmapManager(std::string baseFolder) : baseFolder_(std::move(baseFolder)) {}

    // 8-bit channels are scaled by 257, 16-bit channels kept; images without alpha get alpha
    // 65535. Fills in the info's width and height.
    Bitmap* Load(BitmapInfo* info, uint16_t* status) override;
    // An opaque black 64-bit bitmap of the info's size; null for a size out of reach.
    Bitmap* Create(BitmapInfo* info) override;

    // The file a bitmap name refers to.
    std::string Resolve(const std::string& name) const;

  private:
    std::string baseFolder_;
};

// The largest bitmap Create and Load accept, in pixels (keeps a bad size from exhausting memory).
inline constexpr long long kMaxBitmapPixels = 1LL << 28;

}  // namespace plughost
