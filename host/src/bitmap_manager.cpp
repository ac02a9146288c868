#include "plughost/bitmap_manager.h"

#include <stb/stb_image.h>

#include <atomic>
#include <cctype>
#include <cstdio>
#include <memory>
#include <new>

namespace plughost {

namespace {
std::atomic<int> liveBitmaps{0};

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool IsDriveAbsolute(const std::string& name) {
    return name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) &&
           name[1] == ':' && (name[2] == '\\' || name[2] == '/');
}

// Decodes the open file to 16-bit RGBA; empty on failure.
std::vector<BitmapPixel64> Decode(FILE* f, int& width, int& height) {
    std::vector<BitmapPixel64> pixels;
    int channels = 0;
    const bool deep = stbi_is_16_bit_from_file(f) != 0;
    std::fseek(f, 0, SEEK_SET);
    auto store = [&](auto* data, uint16_t scale) {
        const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
        pixels.resize(n);
        for (size_t i = 0; i < n; ++i) {
            // Four channels were requested, so a missing alpha arrives as fully opaque.
            pixels[i] = {static_cast<uint16_t>(data[4 * i] * scale),
                         static_cast<uint16_t>(data[4 * i + 1] * scale),
                         static_cast<uint16_t>(data[4 * i + 2] * scale),
                         static_cast<uint16_t>(data[4 * i + 3] * scale)};
        }
    };
    try {
        if (deep) {
            stbi_us* data = stbi_load_from_file_16(f, &width, &height, &channels, 4);
            if (!data) return {};
            std::unique_ptr<stbi_us, void (*)(void*)> hold(data, stbi_image_free);
            if (static_cast<long long>(width) * height > kMaxBitmapPixels) return {};
            store(data, 1);
        } else {
            stbi_uc* data = stbi_load_from_file(f, &width, &height, &channels, 4);
            if (!data) return {};
            std::unique_ptr<stbi_uc, void (*)(void*)> hold(data, stbi_image_free);
            if (static_cast<long long>(width) * height > kMaxBitmapPixels) return {};
            store(data, 257);
        }
    } catch (const std::bad_alloc&) {
        return {};
    }
    return pixels;
}

}  // namespace

int LiveBitmaps() {
    return liveBitmaps.load();
}

MemoryBitmap::MemoryBitmap(int width, int height, std::vector<BitmapPixel64> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    ++liveBitmaps;
}

MemoryBitmap::~MemoryBitmap() {
    --liveBitmaps;
}

bool MemoryBitmap::InRange(int x, int y, int count) const {
    return x >= 0 && y >= 0 && y < height_ && count >= 0 && count <= width_ - x;
}

int MemoryBitmap::GetPixels(int x, int y, int count, BitmapPixel64* out) {
    if (!out || !InRange(x, y, count)) return 0;
    const size_t start = static_cast<size_t>(y) * static_cast<size_t>(width_) + x;
    for (int i = 0; i < count; ++i) out[i] = pixels_[start + i];
    return 1;
}

int MemoryBitmap::PutPixels(int x, int y, int count, const BitmapPixel64* in) {
    if (!in || !InRange(x, y, count)) return 0;
    const size_t start = static_cast<size_t>(y) * static_cast<size_t>(width_) + x;
    for (int i = 0; i < count; ++i) pixels_[start + i] = in[i];
    return 1;
}

std::string HostBitmapManager::Resolve(const std::string& name) const {
    if (name.empty() || name[0] == '/' || IsDriveAbsolute(name)) return name;
    // Scenes written on Windows name their textures with backslashes.
    std::string relative = name;
    for (char& c : relative)
        if (c == '\\') c = '/';
    if (baseFolder_.empty()) return relative;
    const bool sep = baseFolder_.back() == '/' || baseFolder_.back() == '\\';
    return baseFolder_ + (sep ? "" : "/") + relative;
}

Bitmap* HostBitmapManager::Load(BitmapInfo* info, uint16_t* status) {
    uint16_t dummy;
    if (!status) status = &dummy;
    *status = kBitmapStatusNotFound;
    if (!info) return nullptr;
    File f(std::fopen(Resolve(info->Name()).c_str(), "rb"));
    if (!f) return nullptr;
    int width = 0, height = 0;
    std::vector<BitmapPixel64> pixels = Decode(f.get(), width, height);
    if (pixels.empty()) {
        *status = kBitmapStatusBadFormat;
        return nullptr;
    }
    info->SetWidth(width);
    info->SetHeight(height);
    info->SetType(kBitmapType64);
    *status = kBitmapStatusOk;
    return new MemoryBitmap(width, height, std::move(pixels));
}

Bitmap* HostBitmapManager::Create(BitmapInfo* info) {
    if (!info || info->Width() <= 0 || info->Height() <= 0 ||
        static_cast<long long>(info->Width()) * info->Height() > kMaxBitmapPixels)
        return nullptr;
    try {
        std::vector<BitmapPixel64> pixels(static_cast<size_t>(info->Width()) * info->Height(),
                                          BitmapPixel64{0, 0, 0, 65535});
        return new MemoryBitmap(info->Width(), info->Height(), std::move(pixels));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace plughost
