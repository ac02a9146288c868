#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Test and benchmark images made by the project itself.
namespace quantize::synth {

// Three bytes per pixel, blue, green, red, rows packed, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;
};

// A smooth two-dimensional colour gradient.
Image Gradient(int width, int height);

// A ray-cast scene: sky, a textured ground plane, shaded and shadowed spheres, fog.
Image Scene(int width, int height, uint32_t seed);

// Independent random pixels with `levels` values per component.
Image Noise(int width, int height, uint32_t seed, int levels = 256);

// Flat-shaded tiles with integer arithmetic only, so its bytes are the same on every machine.
Image Tiles(int width, int height, uint32_t seed);

// The images below use integer arithmetic only too.

using Colour = std::array<uint8_t, 3>;  // blue, green, red

// Rectangles and ellipses in the given colours on a background of the first one, without
// smoothing: an image of exactly those colours (a one-colour list gives a flat image).
Image Shapes(int width, int height, uint32_t seed, std::span<const Colour> colours, int count);

// Flat areas as in a drawing: a flat background, flat shapes in a dozen colours, a band of
// smooth ramps and dark specks.
Image FlatAreas(int width, int height, uint32_t seed);

// Photograph-like content: smooth random structure at several scales, a little grain.
Image Clouds(int width, int height, uint32_t seed);

// Binary PPM (P6) of the image, red-green-blue as the format stores it.
std::vector<uint8_t> EncodePpm(const Image& image);

// Uncompressed true-colour Targa of the image at 24 or 32 bits per pixel.
std::vector<uint8_t> EncodeTarga(const Image& image, int bitsPerPixel, bool topDown);

}  // namespace quantize::synth
