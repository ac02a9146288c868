#include "rawsmith/image_readers.h"

#include <gtest/gtest.h>

#include <random>

#include "synth_image.h"

namespace rawsmith {
namespace {

const quantize::synth::Image kImage = quantize::synth::Noise(5, 3, 17);

TEST(RawsmithTargaReader, AllOriginsAndDepthsGiveTheSamePixels) {
    for (int bits : {24, 32}) {
        for (bool topDown : {false, true}) {
            TrueColorImage image;
            std::string error;
            ASSERT_TRUE(
                ReadTarga(quantize::synth::EncodeTarga(kImage, bits, topDown), image, error))
                << error;
            EXPECT_EQ(image.width, 5);
            EXPECT_EQ(image.height, 3);
            EXPECT_EQ(image.bgr, kImage.bgr) << bits << (topDown ? " top-down" : " bottom-up");
        }
    }
}

TEST(RawsmithTargaReader, SkipsIdAndColourMapAndHonoursRightToLeft) {
    auto bytes = quantize::synth::EncodeTarga(kImage, 24, true);
    bytes[0] = 3;   // image id length
    bytes[1] = 1;   // a colour map is present
    bytes[5] = 2;   // of two entries
    bytes[7] = 24;  // of three bytes each
    bytes.insert(bytes.begin() + 18, 3 + 6, 0xEE);
    bytes[17] |= 0x10;  // right to left
    TrueColorImage image;
    std::string error;
    ASSERT_TRUE(ReadTarga(bytes, image, error)) << error;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(image.bgr[(y * 5 + x) * 3 + c], kImage.bgr[(y * 5 + 4 - x) * 3 + c]);
            }
        }
    }
}

TEST(RawsmithTargaReader, RejectsWhatItCannotRead) {
    const auto good = quantize::synth::EncodeTarga(kImage, 24, false);
    struct Case {
        std::size_t at;
        uint8_t value;
        std::string error;
    };
    for (const Case& c : std::vector<Case>{
             {2, 10,
              "Targa image type 10 is not supported (only uncompressed true colour, type 2)"},
             {2, 1, "Targa image type 1 is not supported (only uncompressed true colour, type 2)"},
             {16, 16, "Targa pixel depth 16 bits is not supported (24 or 32 expected)"},
             {12, 0, "the image has no pixels (0 x 3)"}}) {
        auto bytes = good;
        bytes[c.at] = c.value;
        TrueColorImage image;
        std::string error;
        EXPECT_FALSE(ReadTarga(bytes, image, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(RawsmithTargaReader, EveryTruncatedPrefixFails) {
    for (int bits : {24, 32}) {
        const auto good = quantize::synth::EncodeTarga(kImage, bits, false);
        for (std::size_t size = 0; size < good.size(); ++size) {
            // A fresh allocation of exactly the prefix, so the sanitizer sees any overrun.
            const std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
            TrueColorImage image;
            std::string error;
            EXPECT_FALSE(ReadTarga(prefix, image, error)) << size;
            EXPECT_FALSE(error.empty());
        }
    }
    TrueColorImage image;
    std::string error;
    const auto good = quantize::synth::EncodeTarga(kImage, 24, false);
    ReadTarga(std::vector<uint8_t>(good.begin(), good.end() - 1), image, error);
    EXPECT_EQ(error, "truncated: 45 bytes of pixels expected, 44 present");
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(RawsmithPpmReader, ReadsHeaderWithCommentsAndSwapsToBlueGreenRed) {
    TrueColorImage image;
    std::string error;
    ASSERT_TRUE(
        ReadPpm(Bytes("P6 # made by hand\n2 1\n255\n\x01\x02\x03\x04\x05\x06"), image, error))
        << error;
    EXPECT_EQ(image.bgr, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    ASSERT_TRUE(ReadImage(quantize::synth::EncodePpm(kImage), image, error));
    EXPECT_EQ(image.bgr, kImage.bgr);
}

TEST(RawsmithPpmReader, RejectsWhatItCannotRead) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"P3\n1 1\n255\n", "not a binary PPM file (no P6 at the start)"},
        {"P6\n70000 1\n255\n", "the image is 70000 x 1, over the limit of 65535 on either side"},
        {"P6\n1 1\n65535\n", "PPM maximum value 65535 is not supported (255 expected)"},
        {"P6\n1 x\n255\n", "malformed or truncated PPM header"},
        {"P6\n0 4\n255\n", "the image has no pixels (0 x 4)"},
        {"P6\n2 1\n255\nabc", "truncated: 6 bytes of pixels expected, 3 present"},
    };
    for (const auto& [text, expected] : cases) {
        TrueColorImage image;
        std::string error;
        EXPECT_FALSE(ReadPpm(Bytes(text), image, error)) << text;
        EXPECT_EQ(error, expected);
    }
    const auto good = quantize::synth::EncodePpm(kImage);
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
        TrueColorImage image;
        std::string error;
        EXPECT_FALSE(ReadImage(prefix, image, error)) << size;
    }
}

}  // namespace
}  // namespace rawsmith

namespace rawsmith {
namespace {

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
            TrueColorImage image;
            std::string error;
            if (ReadImage(bytes, image, error)) {
                EXPECT_EQ(image.bgr.size(),
                          static_cast<std::size_t>(image.width) * image.height * 3);
            } else {
                EXPECT_FALSE(error.empty());
            }
        }
    }
}

}  // namespace
}  // namespace rawsmith
