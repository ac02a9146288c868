#include "skeleton/bone_matrix.h"

#include "frame/export_settings.h"
#include "frame/text_output.h"

namespace {

void AppendPoint(std::string& out, const Point3& p) {
    AppendG(out, p.x);
    out += ',';
    AppendG(out, p.y);
    out += ',';
    AppendG(out, p.z);
    out += kLineEnd;
}

float ScaleComponent(float v, float scale) {
    // The whole product in double, rounded to float once: at scale 12 a position comes out as
    // the host wrote it, which a float product v * scale would not always give.
    return static_cast<float>(static_cast<double>(v) * scale * (1.0 / 12.0));
}

}  // namespace

Point3 ConvertDirection(const Point3& v) {
    if (LibrarySettings().rotate180) return {-v.x, v.z, -v.y};
    return {v.x, v.z, v.y};
}

Point3 ConvertPosition(const Point3& p) {
    const float scale = LibrarySettings().scaleFactor;
    return ConvertDirection(
        {ScaleComponent(p.x, scale), ScaleComponent(p.y, scale), ScaleComponent(p.z, scale)});
}

void AppendBoneMatrix(std::string& out, const Matrix3& tm) {
    AppendPoint(out, ConvertDirection(tm.GetRow(0)));
    AppendPoint(out, ConvertDirection(tm.GetRow(2)));
    AppendPoint(out, ConvertDirection(tm.GetRow(1)));
    AppendPoint(out, ConvertPosition(tm.GetRow(3)));
}

void WriteBoneMatrix(const Matrix3& tm, TextFileWriter& file) {
    std::string lines;
    AppendBoneMatrix(lines, tm);
    file.Write(lines);
}
