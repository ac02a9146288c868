#include "plughost/bitmap_manager.h"

#include <gtest/gtest.h>

#include <vector>

using namespace plughost;

namespace {

struct Loaded {
    Bitmap* bitmap = nullptr;
    uint16_t status = 0xFFFF;
    BitmapInfo info;
    ~Loaded() {
        if (bitmap) bitmap->DeleteThis();
    }
};

void Load(const char* name, Loaded& out) {
    HostBitmapManager manager(TEST_DATA_DIR);
    out.info.SetName(name);
    out.bitmap = manager.Load(&out.info, &out.status);
}

std::vector<BitmapPixel64> Row(Bitmap* b, int y) {
    std::vector<BitmapPixel64> row(static_cast<size_t>(b->Width()));
    EXPECT_NE(b->GetPixels(0, y, b->Width(), row.data()), 0);
    return row;
}

void ExpectPixel(const BitmapPixel64& p, int r, int g, int b, int a) {
    EXPECT_EQ(p.r, r);
    EXPECT_EQ(p.g, g);
    EXPECT_EQ(p.b, b);
    EXPECT_EQ(p.a, a);
}

}  // namespace

TEST(BitmapManager, EightBitChannelsAreScaledBy257AndMissingAlphaIsOpaque) {
    Loaded l;
    Load("rgb8.png", l);
    ASSERT_NE(l.bitmap, nullptr);
    EXPECT_EQ(l.status, kBitmapStatusOk);
    EXPECT_EQ(l.bitmap->Width(), 2);
    EXPECT_EQ(l.bitmap->Height(), 1);
    EXPECT_EQ(l.info.Width(), 2);
    const auto row = Row(l.bitmap, 0);
    ExpectPixel(row[0], 65535, 128 * 257, 0, 65535);
    ExpectPixel(row[1], 0, 257, 16 * 257, 65535);
}

TEST(BitmapManager, AlphaIsKept) {
    Loaded l;
    Load("rgba8.png", l);
    ASSERT_NE(l.bitmap, nullptr);
    ExpectPixel(Row(l.bitmap, 0)[1], 65535, 0, 0, 128 * 257);
}

TEST(BitmapManager, SixteenBitPngChannelsAreKept) {
    Loaded l;
    Load("rgb16.png", l);
    ASSERT_NE(l.bitmap, nullptr);
    const auto row = Row(l.bitmap, 0);
    ExpectPixel(row[0], 12345, 54321, 65535, 65535);
    ExpectPixel(row[1], 1, 65534, 32768, 65535);
}

TEST(BitmapManager, BmpAndTgaLoadToo) {
    Loaded bmp, tga;
    Load("rgb.bmp", bmp);
    Load("rgb.tga", tga);
    ASSERT_NE(bmp.bitmap, nullptr);
    ASSERT_NE(tga.bitmap, nullptr);
    EXPECT_EQ(bmp.bitmap->Width(), 3);
    EXPECT_EQ(bmp.bitmap->Height(), 2);
    ExpectPixel(Row(bmp.bitmap, 1)[2], 0x10 * 257, 0x20 * 257, 0x30 * 257, 65535);
    ExpectPixel(Row(tga.bitmap, 1)[2], 0x40 * 257, 0x50 * 257, 0x60 * 257, 65535);
}

TEST(BitmapManager, MissingAndUnreadableFilesGiveNullAndAStatus) {
    Loaded missing, bad;
    Load("no_such_file.png", missing);
    EXPECT_EQ(missing.bitmap, nullptr);
    EXPECT_EQ(missing.status, kBitmapStatusNotFound);
    Load("not_image.png", bad);
    EXPECT_EQ(bad.bitmap, nullptr);
    EXPECT_EQ(bad.status, kBitmapStatusBadFormat);
}

TEST(BitmapManager, NamesResolveAgainstTheSceneFolder) {
    HostBitmapManager manager("scenes/a");
    EXPECT_EQ(manager.Resolve("maps\\skin.png"), "scenes/a/maps/skin.png");
    EXPECT_EQ(manager.Resolve("/abs/skin.png"), "/abs/skin.png");
    EXPECT_EQ(manager.Resolve("C:\\maps\\skin.bmp"), "C:\\maps\\skin.bmp");
    EXPECT_EQ(HostBitmapManager("dir/").Resolve("x.png"), "dir/x.png");
}

TEST(BitmapManager, LoadedAndCreatedBitmapsAreCountedUntilDeleteThis) {
    const int before = LiveBitmaps();
    HostBitmapManager manager(TEST_DATA_DIR);
    BitmapInfo info;
    info.SetType(kBitmapType64);
    info.SetWidth(4);
    info.SetHeight(3);
    Bitmap* b = manager.Create(&info);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(LiveBitmaps(), before + 1);
    EXPECT_EQ(b->Width(), 4);
    EXPECT_EQ(b->Height(), 3);
    const BitmapPixel64 red[2] = {{65535, 0, 0, 65535}, {1, 2, 3, 4}};
    EXPECT_NE(b->PutPixels(2, 2, 2, red), 0);
    BitmapPixel64 back[2];
    EXPECT_NE(b->GetPixels(2, 2, 2, back), 0);
    ExpectPixel(back[1], 1, 2, 3, 4);
    // Reads and writes past the edges are refused, not clipped.
    EXPECT_EQ(b->GetPixels(3, 0, 2, back), 0);
    EXPECT_EQ(b->GetPixels(0, 3, 1, back), 0);
    EXPECT_EQ(b->GetPixels(-1, 0, 1, back), 0);
    EXPECT_EQ(b->PutPixels(0, -1, 1, red), 0);
    b->DeleteThis();
    EXPECT_EQ(LiveBitmaps(), before);

    info.SetWidth(0);
    EXPECT_EQ(manager.Create(&info), nullptr);
    info.SetWidth(1 << 20);
    info.SetHeight(1 << 20);
    EXPECT_EQ(manager.Create(&info), nullptr);
}
