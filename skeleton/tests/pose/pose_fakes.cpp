#include "pose_fakes.h"

namespace skeleton {

HostObject* CountingMesh::ConvertToType(TimeValue, ClassId target) {
    return target == kTriangleMeshClassId ? this : nullptr;
}

void CountingMesh::DeleteThis() {
    ++counters_.deleted;
    if (converted_) delete this;
}

HostObject* ConvertingObject::ConvertToType(TimeValue, ClassId target) {
    if (!works_ || target != kTriangleMeshClassId) return nullptr;
    ++counters_.made;
    return new CountingMesh(mesh_, counters_, true);
}

namespace {

class FakeBitmap : public Bitmap {
  public:
    FakeBitmap(const FakeBitmapManager::Image& image, int& live) : image_(image), live_(live) {
        ++live_;
    }
    int Width() override { return image_.width; }
    int Height() override { return image_.height; }
    int GetPixels(int x, int y, int count, BitmapPixel64* out) override {
        if (y == image_.failingRow || x != 0 || count != image_.width || y < 0 ||
            y >= image_.height)
            return 0;
        for (int i = 0; i < count; ++i) out[i] = image_.pixels[y * image_.width + i];
        return 1;
    }
    int PutPixels(int, int, int, const BitmapPixel64*) override { return 0; }
    void DeleteThis() override { delete this; }

  private:
    ~FakeBitmap() override { --live_; }

    const FakeBitmapManager::Image& image_;
    int& live_;
};

}  // namespace

FakeBitmapManager::Image FakeBitmapManager::Plain(int width, int height, BitmapPixel64 pixel) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, pixel);
    return image;
}

Bitmap* FakeBitmapManager::Load(BitmapInfo* info, uint16_t* status) {
    loads.push_back(info->Name());
    const auto found = images.find(info->Name());
    if (found == images.end()) {
        *status = kBitmapStatusNotFound;
        return nullptr;
    }
    *status = kBitmapStatusOk;
    return new FakeBitmap(found->second, live);
}

}  // namespace skeleton
