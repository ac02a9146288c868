#include "rawsmith/image_readers.h"

#include <gtest/gtest.h>

#include <random>

#include "synth_image.h"

namespace rawsmith {
namespace {

const quantize::synth::Image kImage = quantize::synth::Noise(5, 3, 17);

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// The pixels of `image` with each row reversed.
std::vector<uint8_t> Mirrored(const quantize::synth::Image& image) {
    std::vector<uint8_t> bgr(image.bgr.size());
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                bgr[(y * image.width + x) * 3 + c] =
                    image.bgr[(y * image.width + image.width - 1 - x) * 3 + c];
            }
        }
    }
    return bgr;
}

TEST(RawsmithTargaReader, AllOriginsAndDepthsGiveTheSamePixels) {
    for (int bits : {24, 32}) {
        for (bool topDown : {false, true}) {
            const ImageResult image =
                ReadTarga(quantize::synth::EncodeTarga(kImage, bits, topDown));
            ASSERT_TRUE(image) << image.error();
            EXPECT_EQ(image->width, 5);
            EXPECT_EQ(image->height, 3);
            EXPECT_EQ(image->bgr, kImage.bgr) << bits << (topDown ? " top-down" : " bottom-up");
        }
    }
}

// A colour map may come with a true-colour image; it is skipped whatever its entry size (15-bit
// entries take two bytes, as 16-bit ones do).
TEST(RawsmithTargaReader, SkipsIdAndColourMapOfEveryEntrySizeAndHonoursRightToLeft) {
    for (const auto& [entryBits, entryBytes] :
         std::vector<std::pair<uint8_t, int>>{{15, 2}, {16, 2}, {24, 3}, {32, 4}}) {
        auto bytes = quantize::synth::EncodeTarga(kImage, 24, true);
        bytes[0] = 3;  // image id length
        bytes[1] = 1;  // a colour map is present
        bytes[5] = 2;  // of two entries
        bytes[7] = entryBits;
        // A range insert: GCC 12 at -O3 warns falsely (array-bounds) on insert(pos, n, value).
        const std::vector<uint8_t> idAndMap(3 + 2 * entryBytes, 0xEE);
        bytes.insert(bytes.begin() + 18, idAndMap.begin(), idAndMap.end());
        bytes[17] |= 0x10;  // right to left
        const ImageResult image = ReadTarga(bytes);
        ASSERT_TRUE(image) << image.error();
        EXPECT_EQ(image->bgr, Mirrored(kImage)) << int{entryBits} << "-bit colour map";
    }
}

TEST(RawsmithTargaReader, RejectsWhatItCannotRead) {
    const auto good = quantize::synth::EncodeTarga(kImage, 24, false);
    struct Case {
        std::size_t at;
        uint8_t value;
        std::string error;
    };
    const std::string types =
        " is not supported (only true colour: type 2, or 10 run-length encoded)";
    for (const Case& c : std::vector<Case>{
             {2, 3, "Targa image type 3" + types},
             {2, 11, "Targa image type 11" + types},
             {16, 16, "Targa pixel depth 16 bits is not supported (24 or 32 expected)"},
             {16, 15, "Targa pixel depth 15 bits is not supported (24 or 32 expected)"},
             {12, 0, "the image has no pixels (0 x 3)"}}) {
        auto bytes = good;
        bytes[c.at] = c.value;
        const ImageResult image = ReadTarga(bytes);
        EXPECT_FALSE(image);
        EXPECT_EQ(image.error(), c.error);
    }
    // Colour-mapped images (types 1 and 9) are refused before their map is looked at, whatever
    // its entry size.
    for (uint8_t type : {1, 9}) {
        for (uint8_t entryBits : {15, 16, 24}) {
            std::vector<uint8_t> bytes(18 + 2 * 3 + 15, 0);
            bytes[1] = 1;
            bytes[2] = type;
            bytes[5] = 2;
            bytes[7] = entryBits;
            bytes[12] = 5;
            bytes[14] = 3;
            bytes[16] = 8;
            const ImageResult image = ReadImage(bytes);
            EXPECT_FALSE(image);
            EXPECT_EQ(image.error(), "Targa image type " + std::to_string(type) + types);
        }
    }
}

TEST(RawsmithTargaReader, EveryTruncatedPrefixFails) {
    for (int bits : {24, 32}) {
        const auto good = quantize::synth::EncodeTarga(kImage, bits, false);
        for (std::size_t size = 0; size < good.size(); ++size) {
            // A fresh allocation of exactly the prefix, so the sanitizer sees any overrun.
            const std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
            const ImageResult image = ReadTarga(prefix);
            EXPECT_FALSE(image) << size;
            EXPECT_FALSE(image.error().empty());
        }
    }
    const auto good = quantize::synth::EncodeTarga(kImage, 24, false);
    EXPECT_EQ(ReadTarga(std::vector<uint8_t>(good.begin(), good.end() - 1)).error(),
              "truncated: 45 bytes of pixels expected, 44 present");
    EXPECT_EQ(ReadTarga(std::vector<uint8_t>(good.begin(), good.begin() + 5)).error(),
              "too short for a Targa header (5 of 18 bytes)");
}

TEST(RawsmithPpmReader, ReadsHeaderWithCommentsAndSwapsToBlueGreenRed) {
    const ImageResult image =
        ReadPpm(Bytes("P6 # made by hand\n2 1\n255\n\x01\x02\x03\x04\x05\x06"));
    ASSERT_TRUE(image) << image.error();
    EXPECT_EQ(image->bgr, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    const ImageResult read = ReadImage(quantize::synth::EncodePpm(kImage));
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->bgr, kImage.bgr);

    // Made in the file's buffer, bytes after the pixels left out.
    std::vector<uint8_t> file = quantize::synth::EncodePpm(kImage);
    file.insert(file.end(), {7, 7, 7, 7});
    const ImageResult inPlace = ReadImageInPlace(std::move(file));
    ASSERT_TRUE(inPlace) << inPlace.error();
    EXPECT_EQ(inPlace->width, kImage.width);
    EXPECT_EQ(inPlace->height, kImage.height);
    EXPECT_EQ(inPlace->bgr, kImage.bgr);
    EXPECT_EQ(ReadPpmInPlace(Bytes("P6\n2 1\n255\nabc")).error(),
              "truncated: 6 bytes of pixels expected, 3 present");
}

TEST(RawsmithPpmReader, RejectsWhatItCannotRead) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"P3\n1 1\n255\n",
         "ASCII PPM (P3) is not supported: rawsmith reads Targa (24 or 32 bits, "
         "uncompressed or run-length encoded), binary PPM (P6) and PNG files"},
        {"P5\n1 1\n255\n",
         "binary PGM (P5) is not supported: rawsmith reads Targa (24 or 32 "
         "bits, uncompressed or run-length encoded), binary PPM (P6) and PNG "
         "files"},
        {"P9\n1 1\n255\n", "not a binary PPM file (no P6 at the start)"},
        {"P6\n70000 1\n255\n", "the image is 70000 x 1, over the limit of 65535 on either side"},
        {"P6\n1 1\n65535\n", "PPM maximum value 65535 is not supported (255 expected)"},
        {"P6\n1 x\n255\n", "malformed or truncated PPM header"},
        {"P6\n0 4\n255\n", "the image has no pixels (0 x 4)"},
        {"P6\n2 1\n255\nabc", "truncated: 6 bytes of pixels expected, 3 present"},
    };
    for (const auto& [text, expected] : cases) {
        const ImageResult image = ReadPpm(Bytes(text));
        EXPECT_FALSE(image) << text;
        EXPECT_EQ(image.error(), expected);
    }
    const auto good = quantize::synth::EncodePpm(kImage);
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
        EXPECT_FALSE(ReadImage(prefix)) << size;
    }
}

// What is none of the formats is called so, with the formats rawsmith does read.
TEST(RawsmithImageReader, NamesTheFormatsItReadsForOtherFiles) {
    const std::string reads =
        "Targa (24 or 32 bits, uncompressed or run-length encoded), "
        "binary PPM (P6) and PNG files";
    EXPECT_EQ(ReadImage(Bytes("P3\n2 1\n255\n1 2 3 4 5 6\n")).error(),
              "ASCII PPM (P3) is not supported: rawsmith reads " + reads);
    EXPECT_EQ(ReadImage(Bytes("\xFF\xD8\xFF\xE0 a JPEG file")).error(),
              "not an image rawsmith reads: it reads " + reads);
    EXPECT_EQ(ReadImage(Bytes("BM a bitmap")).error(),
              "not an image rawsmith reads: it reads " + reads);
    EXPECT_EQ(ReadImage({}).error(), "the file is empty");
}

// Random byte changes to valid files: each read either succeeds with a consistent image or
// fails with a reason, and never reads outside the bytes (checked by the sanitizer build).
TEST(RawsmithImageReader, SurvivesCorruptedFiles) {
    std::mt19937 random(99);
    for (const auto& good :
         {quantize::synth::EncodeTarga(kImage, 32, true), quantize::synth::EncodePpm(kImage)}) {
        for (int round = 0; round < 3000; ++round) {
            std::vector<uint8_t> bytes = good;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int c = 0; c < changes; ++c) {
                bytes[random() % std::min<std::size_t>(bytes.size(), 24)] =
                    static_cast<uint8_t>(random());
            }
            bytes.resize(bytes.size() - random() % 8);
            const ImageResult image = ReadImage(bytes);
            if (image) {
                EXPECT_EQ(image->bgr.size(),
                          static_cast<std::size_t>(image->width) * image->height * 3);
            } else {
                EXPECT_FALSE(image.error().empty());
            }
        }
    }
}

}  // namespace
}  // namespace rawsmith
