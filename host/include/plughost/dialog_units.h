#pragma once
// Dialog units to pixels. One horizontal unit is a quarter of the dialog font's average
// character width, one vertical unit an eighth of its height, rounded as Windows rounds them.
namespace plughost {

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const PixelRect&) const = default;
};

// The dialog font's base units: average character width and character height in pixels.
struct DialogBaseUnits {
    int x = 0, y = 0;
};

// a * b / c rounded to nearest, halves away from zero; 0 when c is 0.
int MulDivRound(int a, int b, int c);

// The average character width from the width of the 52 letters A-Z a-z together: half the
// rounded-up width of 26 of them, as Windows computes a dialog font's base unit.
int AverageCharWidth(double widthOf52Letters);

PixelRect DialogUnitsToPixels(int x, int y, int w, int h, DialogBaseUnits base);

// A template's font size in points as pixels on a 96-dot-per-inch screen.
int PointsToPixels(int points);

}  // namespace plughost
