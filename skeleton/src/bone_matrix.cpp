#include "skeleton/bone_matrix.h"

namespace skeleton {

namespace {

void AppendPoint(std::string& out, const Point3& p) {
    support::AppendG(out, p.x);
    out += ',';
    support::AppendG(out, p.y);
    out += ',';
    support::AppendG(out, p.z);
    out += frame::kLineEnd;
}

float ScaleComponent(float v, float scale) {
    // The whole product in double, rounded to float once: at scale 12 a position comes out as
    // the host wrote it, which a float product v * scale would not always give.
    return static_cast<float>(static_cast<double>(v) * scale * (1.0 / 12.0));
}

}  // namespace

Point3 ConvertDirection(const Point3& v, const frame::ExportSettings& settings) {
    if (settings.rotate180) return {-v.x, v.z, -v.y};
    return {v.x, v.z, v.y};
}

Point3 ConvertPosition(const Point3& p, const frame::ExportSettings& settings) {
    const float scale = settings.scaleFactor;
    return ConvertDirection(
        {ScaleComponent(p.x, scale), ScaleComponent(p.y, scale), ScaleComponent(p.z, scale)},
        settings);
}

void AppendBoneMatrix(std::string& out, const Matrix3& tm, const frame::ExportSettings& settings) {
    AppendPoint(out, ConvertDirection(tm.GetRow(0), settings));
    AppendPoint(out, ConvertDirection(tm.GetRow(2), settings));
    AppendPoint(out, ConvertDirection(tm.GetRow(1), settings));
    AppendPoint(out, ConvertPosition(tm.GetRow(3), settings));
}

void WriteBoneMatrix(const Matrix3& tm, const frame::ExportSettings& settings,
                     frame::TextFileWriter& file) {
    std::string lines;
    AppendBoneMatrix(lines, tm, settings);
    file.Write(lines);
}

}  // namespace skeleton
