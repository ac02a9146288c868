#include "plughost/dialog_units.h"

#include <cmath>
#include <cstdlib>

namespace plughost {

int MulDivRound(int a, int b, int c) {
    if (c == 0) return 0;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    // Round half away from zero on the magnitude, then restore the sign.
    const long long magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>((product < 0) != (c < 0) ? -magnitude : magnitude);
}

int AverageCharWidth(double widthOf52Letters) {
    const int width = static_cast<int>(std::lround(widthOf52Letters));
    return (width / 26 + 1) / 2;
}

PixelRect DialogUnitsToPixels(int x, int y, int w, int h, DialogBaseUnits base) {
    return {MulDivRound(x, base.x, 4), MulDivRound(y, base.y, 8), MulDivRound(w, base.x, 4),
            MulDivRound(h, base.y, 8)};
}

int PointsToPixels(int points) {
    return MulDivRound(points, 96, 72);
}

}  // namespace plughost
