#pragma once
// The axis conversion shared by the .BON, .POS and .CRS files: the file's axes are the host's
// x, z, y; positions are divided by 12 and multiplied by the scale factor; "Rotate
// horizontally 180 degrees" turns the result half a turn about the file's second axis. The
// scale factor and rotation come from the export's settings.
#include <hostsdk/geometry.h>

#include <cstddef>
#include <string>

#include "frame/export_settings.h"
#include "frame/text_output.h"
#include "support/format_g.h"

namespace skeleton {

// (x, y, z) -> (x, z, y), or (-x, z, -y) with rotation.
Point3 ConvertDirection(const Point3& v, const frame::ExportSettings& settings);
// Each component times the scale factor and 1/12, rounded to float, then ordered as a direction.
Point3 ConvertPosition(const Point3& p, const frame::ExportSettings& settings);

// Room for the four lines of a transform: three numbers, two commas and CR LF each.
inline constexpr std::size_t kBoneMatrixMaxLength = 4 * (3 * support::kFormatGMaxLength + 4);

// The four lines of a transform: rows 0, 2 and 1 converted as directions, row 3 as a position,
// each "x,y,z" in the "%g" form and ended with CR LF. Written at `out`, which has room for
// kBoneMatrixMaxLength characters; returns the end of the text.
char* WriteBoneMatrixText(char* out, const Matrix3& tm, const frame::ExportSettings& settings);
void AppendBoneMatrix(std::string& out, const Matrix3& tm, const frame::ExportSettings& settings);
void WriteBoneMatrix(const Matrix3& tm, const frame::ExportSettings& settings,
                     frame::TextFileWriter& file);

}  // namespace skeleton
