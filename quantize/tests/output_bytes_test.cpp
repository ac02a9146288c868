// Whole quantizations pinned to the byte. The images are made with integer arithmetic only, so
// their pixels and these fingerprints are the same on every machine. Between them they take
// every path of the box splitting: float sums that stay exact and sums that round (a box of
// more than 2^24 / 255 pixels), boxes of one colour whose rounded mean misses the colour (they
// keep splitting off an empty box), few colours, noise, smooth photograph-like content, flat
// areas and tiny images; each with and without the reassignment pass.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quantize/color_quantizer.h"
#include "quantize/quantize_image.h"
#include "synth_image.h"
#include "test_support.h"

namespace quantize {
namespace {

using synth::Colour;

struct PinnedImage {
    std::string name;
    std::function<synth::Image()> make;
    uint64_t refined;         // QuantizeImage
    uint64_t meanSplitsOnly;  // the same without the reassignment pass
};

synth::Image Filled(int width, int height, const Colour& colour) {
    const Colour colours[] = {colour};
    return synth::Shapes(width, height, 1, colours, 0);
}

std::unique_ptr<QuantBitmap> MakeBitmap(const synth::Image& image) {
    auto bitmap = QuantBitmap::Create(image.width, image.height, 24);
    if (!image.bgr.empty()) std::memcpy(bitmap->Data().data(), image.bgr.data(), image.bgr.size());
    return bitmap;
}

uint64_t QuantizeWithoutRefinement(const synth::Image& image) {
    ColorQuantizer quantizer;
    quantizer.SetRefinement(false);
    std::vector<std::unique_ptr<QuantBitmap>> list;
    list.push_back(MakeBitmap(image));
    if (!quantizer.QuantizeBitmaps(list)) return 0;
    return testing::Fingerprint(list[0]->Data(), list[0]->Palette());
}

const std::vector<PinnedImage>& PinnedImages() {
    static const Colour kOne = {253, 249, 251};  // 32-bit sums of 90000 of them round
    static const Colour kTwo[] = {{245, 250, 250}, {140, 60, 30}};
    static const Colour kFew[] = {{0, 0, 0},     {0, 0, 255},     {0, 200, 0},     {255, 20, 20},
                                  {0, 255, 255}, {255, 255, 255}, {128, 128, 128}, {10, 40, 90}};
    static const std::vector<PinnedImage> images = {
        {"two colours", [] { return synth::Shapes(384, 256, 1, kTwo, 10); },
         17421621198422126369ull, 17421621198422126369ull},
        {"one colour, mean off", [] { return Filled(300, 300, kOne); }, 2506234634938896466ull,
         2506234634938896466ull},
        {"few colours", [] { return synth::Shapes(320, 240, 2, kFew, 60); },
         15508117643856431526ull, 15508117643856431526ull},
        {"flat areas", [] { return synth::FlatAreas(320, 240, 3); }, 2330595677670271640ull,
         14059232198053851570ull},
        {"clouds", [] { return synth::Clouds(384, 256, 7); }, 14670131502915845595ull,
         9360788470901950639ull},
        {"gradient", [] { return synth::Gradient(256, 192); }, 11518976682100604377ull,
         4064831599433069277ull},
        {"noise", [] { return synth::Noise(160, 120, 4); }, 182836805573307452ull,
         16301691405546947031ull},
        {"noise of six levels", [] { return synth::Noise(200, 150, 5, 6); }, 3446635324833720033ull,
         3446635324833720033ull},
        {"tiles", [] { return synth::Tiles(200, 130, 6); }, 15804862970433343688ull,
         4829526599910707000ull},
        {"one pixel", [] { return synth::Noise(1, 1, 8); }, 17194593631225654967ull,
         17194593631225654967ull},
        {"two pixels", [] { return synth::Noise(2, 1, 9); }, 124348366616837840ull,
         124348366616837840ull},
        {"tiny noise", [] { return synth::Noise(7, 3, 10); }, 17229761888130091630ull,
         17229761888130091630ull},
    };
    return images;
}

TEST(OutputBytes, PinnedForEveryKindOfImage) {
    for (const PinnedImage& pinned : PinnedImages()) {
        const synth::Image image = pinned.make();
        std::vector<uint8_t> indices;
        std::array<uint8_t, 768> palette{};
        ASSERT_TRUE(
            QuantizeImage(image.bgr.data(), image.width, image.height, 24, indices, palette))
            << pinned.name;
        EXPECT_EQ(testing::Fingerprint(indices, palette), pinned.refined) << pinned.name;
        EXPECT_EQ(QuantizeWithoutRefinement(image), pinned.meanSplitsOnly) << pinned.name;
    }
}

TEST(OutputBytes, PinnedForImagesSharingOnePalette) {
    std::vector<std::unique_ptr<QuantBitmap>> list;
    list.push_back(MakeBitmap(synth::Clouds(160, 100, 11)));
    list.push_back(MakeBitmap(synth::FlatAreas(90, 200, 12)));
    ColorQuantizer quantizer;
    ASSERT_TRUE(quantizer.QuantizeBitmaps(list));
    EXPECT_EQ(testing::Fingerprint(list[0]->Data(), list[0]->Palette()), 998711419890437856ull);
    EXPECT_EQ(testing::Fingerprint(list[1]->Data(), list[1]->Palette()), 7333419252237831912ull);
}

}  // namespace
}  // namespace quantize
