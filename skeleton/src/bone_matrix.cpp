#include "skeleton/bone_matrix.h"

#include <cstring>

namespace skeleton {

namespace {

char* WritePoint(char* out, const Point3& p) {
    out = support::FormatFloatGTo(out, p.x);
    *out++ = ',';
    out = support::FormatFloatGTo(out, p.y);
    *out++ = ',';
    out = support::FormatFloatGTo(out, p.z);
    std::memcpy(out, frame::kLineEnd, 2);
    return out + 2;
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

char* WriteBoneMatrixText(char* out, const Matrix3& tm, const frame::ExportSettings& settings) {
    out = WritePoint(out, ConvertDirection(tm.GetRow(0), settings));
    out = WritePoint(out, ConvertDirection(tm.GetRow(2), settings));
    out = WritePoint(out, ConvertDirection(tm.GetRow(1), settings));
    return WritePoint(out, ConvertPosition(tm.GetRow(3), settings));
}

void AppendBoneMatrix(std::string& out, const Matrix3& tm, const frame::ExportSettings& settings) {
    char text[kBoneMatrixMaxLength];
    out.append(text, WriteBoneMatrixText(text, tm, settings));
}

void WriteBoneMatrix(const Matrix3& tm, const frame::ExportSettings& settings,
                     frame::TextFileWriter& file) {
    char text[kBoneMatrixMaxLength];
    const char* end = WriteBoneMatrixText(text, tm, settings);
    file.Write(text, static_cast<std::size_t>(end - text));
}

}  // namespace skeleton
