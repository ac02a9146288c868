#pragma once
// The last step of a Pose export: the diffuse bitmap of every texture table entry converted to
// a Targa file in the .POS file's directory.
#include <string>
#include <string_view>

#include "skeleton/output_location.h"
#include "skeleton/texture_table.h"

class HostInterface;

namespace skeleton {

// The map's file name without its directory (after the last '\' or '/', or after a leading
// drive letter) and without its extension (from the last '.').
std::string TextureBaseName(std::string_view mapName);
// Where the map's Targa file goes: the base name with ".tga" in `location`.
std::string TextureTargetPath(const OutputLocation& location, std::string_view mapName);

// Converts the entries of `textures` in order into `location` under the progress display
// "Exporting textures". False after the first failed conversion (with its messages) or when the
// user cancels (no message); files already written stay. Two different maps that would become
// one Targa file stop the step before anything is converted.
bool ExportTextures(HostInterface& host, const TextureTable& textures,
                    const OutputLocation& location);

}  // namespace skeleton
