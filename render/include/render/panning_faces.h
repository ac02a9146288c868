#pragma once
// The six axis views of panning mode, built once at load from their turning angles.
#include <hostsdk/geometry.h>

#include <array>

namespace render {

struct PanningFace {
    const char* suffix;  // appended to the camera name: n, s, e, w, u, d
    Matrix3 matrix;      // axes of the view; the renderer gets the camera's place as row 3
};

// In render order.
const std::array<PanningFace, 6>& PanningFaces();

// The inverse of the turn by the angles (a, b, c) in degrees, each 0, 90, -90 or 180, built
// with exact sines and cosines.
Matrix3 FaceMatrixFromAngles(int a, int b, int c);

}  // namespace render
