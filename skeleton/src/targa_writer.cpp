#include "skeleton/targa_writer.h"

#include <hostsdk/bitmap.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "skeleton/pose_messages.h"

namespace skeleton {

std::uint8_t ToByte(float value) {
    if (!(value > 0.0f)) return 0;
    if (value >= 255.0f) return 255;
    return static_cast<std::uint8_t>(static_cast<int>(value + 0.5));
}

namespace {

// A 16-bit channel as its byte: the quotient in double, rounded to float first.
std::uint8_t ChannelByte(std::uint16_t channel) {
    return ToByte(static_cast<float>(channel / 257.0));
}

constexpr int kHeaderSize = 18;
// Largest width or height the header's 16-bit fields can carry.
constexpr int kMaxTargaSide = 65535;

void PutLittle16(unsigned char* at, int value) {
    at[0] = static_cast<unsigned char>(value & 0xFF);
    at[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

// The 18-byte header of an uncompressed true-colour image, rows from the top.
void MakeHeader(unsigned char (&header)[kHeaderSize], int width, int height, int depth) {
    for (auto& b : header) b = 0;
    header[2] = 2;
    PutLittle16(header + 12, width);
    PutLittle16(header + 14, height);
    header[16] = static_cast<unsigned char>(depth);
    header[17] = 0x20;
}

// Everything one conversion holds, released whatever the outcome.
class Conversion {
  public:
    Conversion(const char* source, const char* target)
        : source_(source), target_(target), partial_(std::string(target) + ".part") {}
    ~Conversion() {
        if (file_) std::fclose(file_);
        if (created_) std::remove(partial_.c_str());
        if (bitmap_) bitmap_->DeleteThis();
    }

    bool Run();

  private:
    bool Load();
    bool Create();
    bool SurveyAlpha(int& depth);
    bool WriteRows(int depth);
    bool Finish();
    bool ReadRow(int y);

    const char* source_;
    const char* target_;
    std::string partial_;
    BitmapInfo info_;
    Bitmap* bitmap_ = nullptr;
    std::FILE* file_ = nullptr;
    bool created_ = false;  // the temporary file exists and is ours to remove
    int width_ = 0, height_ = 0;
    std::vector<BitmapPixel64> sourceRow_;
    std::vector<unsigned char> targetRow_;
};

bool Conversion::Run() {
    if (!Load()) return false;
    width_ = bitmap_->Width();
    height_ = bitmap_->Height();
    if (width_ < 0 || height_ < 0 || width_ > kMaxTargaSide || height_ > kMaxTargaSide) {
        ShowError("%s is %d x %d pixels, more than a Targa file can hold", source_, width_,
                  height_);
        return false;
    }
    if (!Create()) return false;
    try {
        sourceRow_.resize(static_cast<std::size_t>(width_));
        targetRow_.resize(static_cast<std::size_t>(width_) * 4);
    } catch (const std::bad_alloc&) {
        ShowError("Out of memory");
        return false;
    }
    int depth = 24;
    return SurveyAlpha(depth) && WriteRows(depth) && Finish();
}

bool Conversion::Load() {
    info_.SetName(source_);
    std::uint16_t status = kBitmapStatusNotFound;
    bitmap_ = TheManager ? TheManager->Load(&info_, &status) : nullptr;
    if (bitmap_ && status == kBitmapStatusOk) return true;
    if (bitmap_) bitmap_->DeleteThis();
    bitmap_ = nullptr;
    ShowError("Can't load %s", source_);
    return false;
}

bool Conversion::Create() {
    file_ = std::fopen(partial_.c_str(), "wb");
    if (!file_) {
        ShowError("Can't create %s", target_);
        return false;
    }
    created_ = true;
    return true;
}

bool Conversion::ReadRow(int y) {
    if (width_ == 0 || bitmap_->GetPixels(0, y, width_, sourceRow_.data())) return true;
    ShowError("Error getting pixels from %s", source_);
    return false;
}

bool Conversion::SurveyAlpha(int& depth) {
    bool someNotClear = false, someNotOpaque = false;
    for (int y = 0; y < height_; ++y) {
        if (!ReadRow(y)) return false;
        for (const BitmapPixel64& p : sourceRow_) {
            const std::uint8_t a = ChannelByte(p.a);
            someNotClear |= a != 0;
            someNotOpaque |= a != 255;
        }
    }
    depth = someNotClear && someNotOpaque ? 32 : 24;
    return true;
}

bool Conversion::WriteRows(int depth) {
    unsigned char header[kHeaderSize];
    MakeHeader(header, width_, height_, depth);
    if (std::fwrite(header, 1, sizeof header, file_) != sizeof header) {
        ShowError("Error writing %s", target_);
        return false;
    }
    const std::size_t bytesPerPixel = static_cast<std::size_t>(depth) / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * bytesPerPixel;
    for (int y = 0; y < height_; ++y) {
        if (!ReadRow(y)) return false;
        unsigned char* out = targetRow_.data();
        for (const BitmapPixel64& p : sourceRow_) {
            out[0] = ChannelByte(p.b);
            out[1] = ChannelByte(p.g);
            out[2] = ChannelByte(p.r);
            if (bytesPerPixel == 4) out[3] = ChannelByte(p.a);
            out += bytesPerPixel;
        }
        if (std::fwrite(targetRow_.data(), 1, rowBytes, file_) != rowBytes) {
            ShowError("Error writing %s", target_);
            return false;
        }
    }
    return true;
}

bool Conversion::Finish() {
    const bool closed = std::fflush(file_) == 0 && !std::ferror(file_);
    const bool released = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed || !released) {
        ShowError("Error writing %s", target_);
        return false;
    }
    if (std::rename(partial_.c_str(), target_) != 0) {
        ShowError("Can't create %s", target_);
        return false;
    }
    created_ = false;
    return true;
}

}  // namespace

bool SaveAsTarga(const char* source, const char* target) {
    Conversion conversion(source, target);
    return conversion.Run();
}

}  // namespace skeleton
