#include "render/panning_faces.h"

namespace render {

namespace {

// Sine and cosine of the four angles a face is turned by, exactly.
void SinCos(int degrees, float& s, float& c) {
    switch (degrees) {
        case 90:
            s = 1, c = 0;
            return;
        case -90:
            s = -1, c = 0;
            return;
        case 180:
            s = 0, c = -1;
            return;
        default:
            s = 0, c = 1;
            return;
    }
}

std::array<PanningFace, 6> BuildFaces() {
    return {{{"n", FaceMatrixFromAngles(0, 0, 0)},
             {"s", FaceMatrixFromAngles(0, 0, 180)},
             {"e", FaceMatrixFromAngles(0, 0, 90)},
             {"w", FaceMatrixFromAngles(0, 0, -90)},
             {"u", FaceMatrixFromAngles(-90, 0, 0)},
             {"d", FaceMatrixFromAngles(90, 0, 0)}}};
}

}  // namespace

Matrix3 FaceMatrixFromAngles(int a, int b, int c) {
    float sa, ca, sb, cb, sc, cc;
    SinCos(a, sa, ca);
    SinCos(b, sb, cb);
    SinCos(c, sc, cc);
    const Matrix3 turn({sc * sb * sa + cc * cb, sb * ca, cc * sb * sa - sc * cb},
                       {sc * cb * sa - cc * sb, cb * ca, cc * cb * sa + sc * sb},
                       {-sc * ca, sa, -cc * ca}, {0, 0, 0});
    return Inverse(turn);
}

const std::array<PanningFace, 6>& PanningFaces() {
    // Built when the library is loaded.
    static const std::array<PanningFace, 6> faces = BuildFaces();
    return faces;
}

namespace {
[[maybe_unused]] const bool facesBuiltAtLoad = (PanningFaces(), true);
}  // namespace

}  // namespace render
