#pragma once
#include <cstdint>
#include <string>

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// One pixel as the host hands it out: 16-bit red, green, blue, alpha.
struct BitmapPixel64 {
    uint16_t r = 0, g = 0, b = 0, a = 0;
};

// Bitmap types the host knows.
inline constexpr int kBitmapTypeAuto = 0;
inline constexpr int kBitmapType64 = 7;  // 16-bit red, green, blue, alpha

class BitmapInfo {
  public:
    BitmapInfo() = default;
    void SetName(const char* name) { name_ = name ? name : ""; }
    const char* Name() const { return name_.c_str(); }
    void SetType(int type) { type_ = type; }
    int Type() const { return type_; }
    void SetWidth(int w) { width_ = w; }
    void SetHeight(int h) { height_ = h; }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    std::string name_;
    int type_ = kBitmapTypeAuto;
    int width_ = 0;
    int height_ = 0;
};

class Bitmap {
  public:
    // 0 when the bitmap has no pixel storage.
    virtual int Width() = 0;
    virtual int Height() = 0;
    // Reads count pixels of row y from column x; nonzero on success.
    virtual int GetPixels(int x, int y, int count, BitmapPixel64* out) = 0;
    // Writes count pixels of row y from column x; nonzero on success.
    virtual int PutPixels(int x, int y, int count, const BitmapPixel64* in) = 0;
    // Releases a bitmap that was loaded or created.
    virtual void DeleteThis() = 0;

  protected:
    virtual ~Bitmap() = default;
};

// Status words of BitmapManager::Load.
inline constexpr uint16_t kBitmapStatusOk = 0;
inline constexpr uint16_t kBitmapStatusNotFound = 1;
inline constexpr uint16_t kBitmapStatusBadFormat = 2;

class BitmapManager {
  public:
    virtual ~BitmapManager() = default;
    // Loads the image named by info; null and a nonzero status on failure.
    virtual Bitmap* Load(BitmapInfo* info, uint16_t* status) = 0;
    // Creates an empty bitmap of info's type and size; null on failure.
    virtual Bitmap* Create(BitmapInfo* info) = 0;
};

// The host's bitmap manager; set by the host before any plug-in runs.
extern BitmapManager* TheManager;

#pragma GCC visibility pop
