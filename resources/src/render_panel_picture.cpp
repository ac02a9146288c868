// Picture 105 of the render panel: a film camera with two reels, its lens throwing a cone of
// warm light to the right, on a night-blue ground; 64 x 58 pixels with a 256-colour palette,
// computed at compile time.
#include <array>

#include "resources/lumenpass_resources.h"
#include "resources/resource_ids.h"

namespace resources {

namespace {

constexpr int kWidth = 64, kHeight = 58;

// Entries 0 to 127 run from black to slate blue (ground and camera body), entries 128 to 255
// from amber to pale yellow (the light).
constexpr std::array<unsigned char, 768> MakePalette() {
    std::array<unsigned char, 768> p{};
    for (int i = 0; i < 256; ++i) {
        int r, g, b;
        if (i < 128) {
            r = i / 3;
            g = i / 2;
            b = 30 + i;
        } else {
            const int t = i - 128;
            r = 200 + t * 55 / 127;
            g = 120 + t;
            b = 20 + t;
        }
        p[3 * i] = static_cast<unsigned char>(r);
        p[3 * i + 1] = static_cast<unsigned char>(g);
        p[3 * i + 2] = static_cast<unsigned char>(b);
    }
    return p;
}

constexpr int Square(int v) {
    return v * v;
}

constexpr std::array<unsigned char, kWidth * kHeight> MakeIndices() {
    std::array<unsigned char, kWidth * kHeight> px{};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // Ground: a dim gradient from top to bottom.
            int index = 10 + y / 3;
            // Light cone from the lens at (40, 36), widening to the right edge.
            const int dx = x - 40;
            if (dx > 0 && 2 * (y - 36) < dx && 2 * (36 - y) < dx) index = 255 - dx * 3;
            // Body, reels and lens: slate, shaded by height.
            const bool body = x >= 6 && x < 38 && y >= 28 && y < 46;
            const bool reel =
                Square(x - 13) + Square(y - 18) <= 64 || Square(x - 30) + Square(y - 18) <= 64;
            const bool lens = x >= 38 && x < 44 && y >= 32 && y < 41;
            const bool legs = (y >= 46 && y < 56) && (x == 22 - (y - 46) || x == 22 + (y - 46));
            if (body || reel || lens || legs) index = 110 - y;
            // Hubs of the reels stay dark.
            if (Square(x - 13) + Square(y - 18) <= 4 || Square(x - 30) + Square(y - 18) <= 4)
                index = 20;
            px[y * kWidth + x] = static_cast<unsigned char>(index);
        }
    }
    return px;
}

constexpr auto kPalette = MakePalette();
constexpr auto kIndices = MakeIndices();
constexpr BitmapResource kPicture{kBmpRenderPanel, kWidth, kHeight, kIndices.data(),
                                  kPalette.data()};

}  // namespace

const BitmapResource& RenderPanelPicture() {
    return kPicture;
}

}  // namespace resources
