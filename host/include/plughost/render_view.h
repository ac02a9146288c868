#pragma once
// Where the renderer looks from: a camera node's placement and lens, or a view record, turned
// into the matrices the GPU takes. Matrices here are column-major 4x4 for column vectors, as
// OpenGL takes them.
#include <array>
#include <string>

#include "hostsdk/renderer.h"
#include "hostsdk/scene.h"

namespace plughost {

// The camera of one frame. `placement` has the camera's axes as rows 0 to 2 and the eye as row
// 3; the camera looks along its local -Z with +Y up. A placement with a negative determinant
// mirrors the picture.
struct RenderView {
    Matrix3 placement;
    float fov = 0.785398f;  // horizontal, radians
    float nearClip = 1.0f;
    float farClip = 1000.0f;
};

// The distances used when a camera gives none that work: far when it is missing, and how far in
// front of the eye near is put when it is 0 (a fraction of far, so that depth keeps its
// precision).
inline constexpr float kDefaultFarClip = 1000.0f;
inline constexpr float kNearFractionOfFar = 1e-5f;

// The camera node's view at time t: its object transform and its camera object's field of
// view and clipping distances. False with the reason when the node is no usable camera.
bool ViewFromCamera(SceneNode& camera, TimeValue t, RenderView& view, std::string& error);
// A view record's view. False with the reason for a projection other than perspective or a
// field of view outside 0 to pi.
bool ViewFromRecord(const ViewParams5& record, RenderView& view, std::string& error);
bool ViewFromRecord(const ViewParams7& record, RenderView& view, std::string& error);

using Mat4 = std::array<float, 16>;  // column-major

// Row-vector host matrix as a column-vector 4x4.
Mat4 ToMat4(const Matrix3& m);
Mat4 Multiply(const Mat4& a, const Mat4& b);  // a applied after b
float Determinant3(const Matrix3& m);

// World to eye space: the inverse of the placement with its axes scaled to unit length (a
// camera's scale does not zoom the picture; a mirror stays a mirror).
Mat4 ViewMatrix(const RenderView& view);
// Eye to clip space for a picture of width x height pixels, restricted to the pixel rectangle
// (x0, y0, w, h) of it, with y0 counted from the bottom row (a tile of a larger picture).
Mat4 ProjectionMatrix(const RenderView& view, int width, int height, int x0, int y0, int w, int h);
// The clipping distances actually used: near > 0, far > near, both finite.
void UsableClipRange(float nearClip, float farClip, float& nearOut, float& farOut);

}  // namespace plughost
