#include "plughost/render_view.h"

#include <cmath>

namespace plughost {

namespace {

bool CheckFov(float fov, std::string& error) {
    if (fov > 0.0f && fov < 3.14159265f) return true;
    error = "the field of view " + std::to_string(fov) + " is not between 0 and pi radians";
    return false;
}

template <typename Record>
bool FromRecord(const Record& record, RenderView& view, std::string& error) {
    if (record.projection != kProjectionPerspective) {
        error = "the view record's projection " + std::to_string(record.projection) +
                " is not perspective (0)";
        return false;
    }
    if (!CheckFov(record.fov, error)) return false;
    view.placement = record.viewTM;
    view.fov = record.fov;
    view.nearClip = record.nearClip;
    view.farClip = record.farClip;
    return true;
}

Point3 Unit(const Point3& v) {
    const float length = std::sqrt(DotProd(v, v));
    return length > 0.0f ? v * (1.0f / length) : v;
}

}  // namespace

bool ViewFromCamera(SceneNode& camera, TimeValue t, RenderView& view, std::string& error) {
    const char* name = camera.GetName();
    const std::string quoted = std::string("\"") + (name ? name : "") + "\"";
    auto* lens = dynamic_cast<CameraObject*>(camera.EvalWorldState(t).obj);
    if (!lens) {
        error = "the node " + quoted + " is not a camera";
        return false;
    }
    if (!CheckFov(lens->FieldOfView(), error)) {
        error = "camera " + quoted + ": " + error;
        return false;
    }
    view.placement = camera.GetObjectTM(t);
    view.fov = lens->FieldOfView();
    view.nearClip = lens->NearClip();
    view.farClip = lens->FarClip();
    return true;
}

bool ViewFromRecord(const ViewParams5& record, RenderView& view, std::string& error) {
    return FromRecord(record, view, error);
}

bool ViewFromRecord(const ViewParams7& record, RenderView& view, std::string& error) {
    return FromRecord(record, view, error);
}

Mat4 ToMat4(const Matrix3& m) {
    Mat4 r{};
    for (int column = 0; column < 4; ++column) {
        r[column * 4 + 0] = m[column].x;
        r[column * 4 + 1] = m[column].y;
        r[column * 4 + 2] = m[column].z;
        r[column * 4 + 3] = column == 3 ? 1.0f : 0.0f;
    }
    // Host rows are the images of the axes: they become the columns of a column-vector matrix.
    return r;
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(a[k * 4 + row]) * b[column * 4 + k];
            r[column * 4 + row] = static_cast<float>(sum);
        }
    return r;
}

float Determinant3(const Matrix3& m) {
    return DotProd(m[0], CrossProd(m[1], m[2]));
}

Mat4 ViewMatrix(const RenderView& view) {
    Matrix3 unit = view.placement;
    for (int i = 0; i < 3; ++i) unit[i] = Unit(unit[i]);
    return ToMat4(Inverse(unit));
}

void UsableClipRange(float nearClip, float farClip, float& nearOut, float& farOut) {
    farOut = std::isfinite(farClip) && farClip > 0.0f ? farClip : kDefaultFarClip;
    nearOut = std::isfinite(nearClip) && nearClip > 0.0f ? nearClip : farOut * kNearFractionOfFar;
    if (!(farOut > nearOut)) farOut = nearOut / kNearFractionOfFar;
}

Mat4 ProjectionMatrix(const RenderView& view, int width, int height, int x0, int y0, int w, int h) {
    float n, f;
    UsableClipRange(view.nearClip, view.farClip, n, f);
    const double sx = 1.0 / std::tan(static_cast<double>(view.fov) / 2.0);
    const double sy = sx * width / height;
    // A tile maps its part of the picture's [-1, 1] range onto its own.
    const double kx = static_cast<double>(width) / w, ky = static_cast<double>(height) / h;
    const double ox = static_cast<double>(width - 2 * x0 - w) / w;
    const double oy = static_cast<double>(height - 2 * y0 - h) / h;
    Mat4 p{};
    p[0] = static_cast<float>(sx * kx);
    p[5] = static_cast<float>(sy * ky);
    // Eye-space z is negative in front of the camera; clip w is -z.
    p[8] = static_cast<float>(-ox);
    p[9] = static_cast<float>(-oy);
    p[10] = static_cast<float>(-(static_cast<double>(f) + n) / (static_cast<double>(f) - n));
    p[11] = -1.0f;
    p[14] = static_cast<float>(-2.0 * f * n / (static_cast<double>(f) - n));
    return p;
}

}  // namespace plughost
