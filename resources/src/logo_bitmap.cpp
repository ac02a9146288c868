// Picture 104 of the bone options dialog: a light bone lying diagonally on a dark blue ground,
// 64 x 64 pixels with a 256-colour palette, computed at compile time.
#include <array>

#include "resources/quellstone_resources.h"
#include "resources/resource_ids.h"

namespace resources {

namespace {

constexpr int kSize = 64;

// Palette: entries 0 to 127 run from near black to mid blue (the ground), entries 128 to 255
// from mid grey to ivory (the bone).
constexpr std::array<unsigned char, 768> MakePalette() {
    std::array<unsigned char, 768> p{};
    for (int i = 0; i < 256; ++i) {
        int r, g, b;
        if (i < 128) {
            r = i / 8;
            g = i / 4;
            b = 40 + i;
        } else {
            const int t = i - 128;
            r = 120 + t;
            g = 115 + t;
            b = 100 + t;
        }
        p[3 * i] = static_cast<unsigned char>(r);
        p[3 * i + 1] = static_cast<unsigned char>(g);
        p[3 * i + 2] = static_cast<unsigned char>(b);
    }
    return p;
}

constexpr long long Square(long long v) {
    return v * v;
}

// Squared distance from (x, y) to the segment from (ax, ay) to (bx, by).
constexpr long long DistanceToShaftSquared(long long x, long long y, long long ax, long long ay,
                                           long long bx, long long by) {
    const long long dx = bx - ax, dy = by - ay;
    const long long len2 = dx * dx + dy * dy;
    long long t = (x - ax) * dx + (y - ay) * dy;  // projection, times len2
    t = t < 0 ? 0 : (t > len2 ? len2 : t);
    const long long px = ax * len2 + t * dx, py = ay * len2 + t * dy;
    return (Square(x * len2 - px) + Square(y * len2 - py)) / (len2 * len2);
}

constexpr std::array<unsigned char, kSize * kSize> MakeIndices() {
    std::array<unsigned char, kSize * kSize> px{};
    // Knuckles: two balls at each end of the shaft.
    constexpr int balls[4][2] = {{13, 19}, {19, 13}, {45, 51}, {51, 45}};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // Ground: darker towards the corners.
            const long long d2 = Square(x - 32) + Square(y - 32);
            int index = 127 - static_cast<int>(d2 / 16);
            if (index < 0) index = 0;
            // Bone: shaft of half-width 4 plus four balls of radius 7, shaded by height.
            bool bone = DistanceToShaftSquared(x, y, 16, 16, 48, 48) <= 16;
            for (const auto& b : balls) bone = bone || Square(x - b[0]) + Square(y - b[1]) <= 49;
            if (bone) index = 255 - (x + y) / 2;
            px[y * kSize + x] = static_cast<unsigned char>(index);
        }
    }
    return px;
}

constexpr auto kPalette = MakePalette();
constexpr auto kIndices = MakeIndices();
constexpr BitmapResource kLogo{resources::kBmpLogo, kSize, kSize, kIndices.data(), kPalette.data()};

}  // namespace

const BitmapResource& LogoBitmap() {
    return kLogo;
}

}  // namespace resources
