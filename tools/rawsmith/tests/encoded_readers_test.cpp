// The formats rawsmith checks itself and has stb_image decode: run-length encoded Targa, PNG.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

#include "rawsmith/image_readers.h"
#include "support/testing/files.h"
#include "synth_image.h"

namespace rawsmith {
namespace {

using quantize::synth::Image;

// Few colours, so that runs happen, and one run longer than a packet that goes on across rows.
Image RunsImage() {
    Image image = quantize::synth::Noise(150, 4, 5, 2);
    std::fill(image.bgr.begin() + 120 * 3, image.bgr.begin() + 330 * 3, uint8_t{77});
    return image;
}

// Run-length encodes `image` as a Targa file: repeated pixels become repeat packets, the rest
// literal packets, each of at most 128 pixels, running on across rows as many writers do.
std::vector<uint8_t> EncodeRunLengthTarga(const Image& image, int bits, bool topDown,
                                          bool rightToLeft = false) {
    std::vector<uint8_t> plain = quantize::synth::EncodeTarga(image, bits, topDown);
    const std::size_t bpp = static_cast<std::size_t>(bits) / 8;
    uint8_t* pixels = plain.data() + 18;
    if (rightToLeft) {
        for (int row = 0; row < image.height; ++row) {
            uint8_t* start = pixels + static_cast<std::size_t>(row) * image.width * bpp;
            for (int l = 0, r = image.width - 1; l < r; ++l, --r)
                std::swap_ranges(start + l * bpp, start + (l + 1) * bpp, start + r * bpp);
        }
        plain[17] |= 0x10;
    }
    std::vector<uint8_t> out(plain.begin(), plain.begin() + 18);
    out[2] = 10;
    const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
    auto same = [&](std::size_t a, std::size_t b) {
        return std::memcmp(pixels + a * bpp, pixels + b * bpp, bpp) == 0;
    };
    for (std::size_t i = 0; i < count;) {
        std::size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run)) ++run;
        std::size_t literal = 1;
        while (run == 1 && i + literal < count && literal < 128 &&
               !(i + literal + 1 < count && same(i + literal, i + literal + 1)))
            ++literal;
        out.push_back(static_cast<uint8_t>(run > 1 ? 0x80 | (run - 1) : literal - 1));
        out.insert(out.end(), pixels + i * bpp, pixels + (i + (run > 1 ? 1 : literal)) * bpp);
        i += run > 1 ? run : literal;
    }
    return out;
}

std::vector<uint8_t> EncodePng(const Image& image, int components) {
    std::vector<uint8_t> pixels;
    for (std::size_t i = 0; i < image.bgr.size(); i += 3) {
        const uint8_t rgb[4] = {image.bgr[i + 2], image.bgr[i + 1], image.bgr[i], 128};
        if (components == 1) {
            pixels.push_back(image.bgr[i]);
        } else {
            pixels.insert(pixels.end(), rgb, rgb + components);
        }
    }
    std::vector<uint8_t> png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* bytes = static_cast<uint8_t*>(data);
            static_cast<std::vector<uint8_t>*>(context)->insert(
                static_cast<std::vector<uint8_t>*>(context)->end(), bytes, bytes + size);
        },
        &png, image.width, image.height, components, pixels.data(), image.width * components);
    return png;
}

std::vector<uint8_t> Golden(const std::string& name) {
    return support::testing::ReadBytes(RAWSMITH_TEST_DATA_DIR "/golden/" + name);
}

TEST(RawsmithRunLengthTarga, AllOrdersAndDepthsGiveTheSamePixelsAsUncompressed) {
    const Image image = RunsImage();
    for (int bits : {24, 32}) {
        for (bool topDown : {false, true}) {
            for (bool rightToLeft : {false, true}) {
                const ImageResult read =
                    ReadImage(EncodeRunLengthTarga(image, bits, topDown, rightToLeft));
                ASSERT_TRUE(read) << read.error();
                EXPECT_EQ(read->width, 150);
                EXPECT_EQ(read->height, 4);
                EXPECT_EQ(read->bgr, image.bgr)
                    << bits << " bits, top-down " << topDown << ", right-to-left " << rightToLeft;
            }
        }
    }
    // A file written by another program (ImageMagick) reads as its uncompressed twin.
    const ImageResult rle = ReadImage(Golden("scene-rle.tga"));
    ASSERT_TRUE(rle) << rle.error();
    EXPECT_EQ(rle->bgr, ReadImage(Golden("scene.tga"))->bgr);
}

// An image id and a colour map in front of the pixels are skipped, not taken as a palette.
TEST(RawsmithRunLengthTarga, SkipsIdAndColourMap) {
    const Image image = RunsImage();
    for (uint8_t entryBits : {15, 16, 24}) {
        auto bytes = EncodeRunLengthTarga(image, 24, true);
        const int entryBytes = (entryBits + 7) / 8;
        bytes[0] = 4;
        bytes[1] = 1;
        bytes[5] = 3;
        bytes[7] = entryBits;
        const std::vector<uint8_t> idAndMap(4 + 3 * entryBytes, 0x5A);
        bytes.insert(bytes.begin() + 18, idAndMap.begin(), idAndMap.end());
        const ImageResult read = ReadImage(bytes);
        ASSERT_TRUE(read) << read.error();
        EXPECT_EQ(read->bgr, image.bgr) << int{entryBits};
    }
}

TEST(RawsmithRunLengthTarga, TruncatedDataFailsWithoutDecodingZeros) {
    const auto good = EncodeRunLengthTarga(RunsImage(), 32, false);
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
        const ImageResult read = ReadTarga(prefix);
        EXPECT_FALSE(read) << size;
        EXPECT_FALSE(read.error().empty());
    }
    EXPECT_EQ(ReadTarga(std::vector<uint8_t>(good.begin(), good.end() - 1)).error(),
              "truncated: the run-length data ends before the last pixel (" +
                  std::to_string(good.size() - 19) + " bytes)");
    // A header that claims more pixels than the data could hold is refused before decoding.
    std::vector<uint8_t> huge(good.begin(), good.begin() + 40);
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
    EXPECT_EQ(ReadTarga(huge).error(),
              "truncated: 65535 x 65535 pixels need at least 167767045 bytes of run-length "
              "data, 22 present");
}

TEST(RawsmithPngReader, ReadsEveryColourTypeAsBlueGreenRed) {
    const Image image = quantize::synth::Noise(7, 5, 3);
    for (int components : {3, 4}) {
        const ImageResult read = ReadImage(EncodePng(image, components));
        ASSERT_TRUE(read) << read.error();
        EXPECT_EQ(read->width, 7);
        EXPECT_EQ(read->bgr, image.bgr) << components;
    }
    const ImageResult grey = ReadImage(EncodePng(image, 1));
    ASSERT_TRUE(grey) << grey.error();
    for (std::size_t i = 0; i < grey->bgr.size(); ++i)
        EXPECT_EQ(grey->bgr[i], image.bgr[i / 3 * 3]) << i;
    // A file written by another program (ImageMagick).
    const ImageResult png = ReadImage(Golden("scene.png"));
    ASSERT_TRUE(png) << png.error();
    EXPECT_EQ(png->bgr, ReadImage(Golden("scene.tga"))->bgr);
}

TEST(RawsmithPngReader, RejectsWhatItCannotRead) {
    const auto good = EncodePng(quantize::synth::Noise(7, 5, 3), 3);
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
        EXPECT_FALSE(ReadPng(prefix)) << size;
    }
    auto withSize = [&](uint8_t widthHigh, uint8_t heightLow) {
        auto bytes = good;
        bytes[17] = widthHigh;
        bytes[23] = heightLow;
        return ReadPng(bytes).error();
    };
    EXPECT_EQ(withSize(1, 5), "the image is 65543 x 5, over the limit of 65535 on either side");
    EXPECT_EQ(withSize(0, 0), "the image has no pixels (7 x 0)");
    EXPECT_EQ(ReadPng(std::vector<uint8_t>(good.begin(), good.begin() + 20)).error(),
              "malformed or truncated PNG header (no IHDR chunk first)");
    // Chunks that do not fit in the file, and sizes the data cannot hold, are refused before
    // stb_image allocates for them.
    auto longChunk = good;
    longChunk[33] = 0x7F;
    EXPECT_EQ(ReadPng(longChunk).error(),
              "truncated: a PNG chunk declares " +
                  std::to_string(0x7F000000 + good[35] * 256 + good[36]) + " bytes, " +
                  std::to_string(good.size() - 45) + " present");
    EXPECT_EQ(ReadPng(std::vector<uint8_t>(good.begin(), good.end() - 12)).error(),
              "truncated: the PNG data ends before IEND");
    auto huge = good;
    huge[18] = huge[19] = huge[22] = huge[23] = 0xFF;
    EXPECT_EQ(ReadPng(huge).error().rfind("truncated: 65535 x 65535 pixels need more than ", 0), 0u)
        << ReadPng(huge).error();
    // Compressed data that is garbage after its header: stb_image fails without a reason
    // (found by the fuzzer; it was taken for an empty image).
    auto garbage = good;
    const std::size_t idatLength = good[35] << 8 | good[36];
    std::fill(garbage.begin() + 43, garbage.begin() + 41 + static_cast<long>(idatLength), 0xFF);
    EXPECT_EQ(ReadPng(garbage).error(), "cannot decode the PNG data (no reason given)");
    auto damaged = good;
    damaged[41] ^= 0xFF;  // inside the compressed data's header
    EXPECT_EQ(ReadPng(damaged).error().rfind("cannot decode the PNG data (", 0), 0u)
        << ReadPng(damaged).error();
}

}  // namespace
}  // namespace rawsmith
