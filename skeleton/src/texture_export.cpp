#include "skeleton/texture_export.h"

#include <hostsdk/host.h>

#include "frame/export_progress.h"
#include "skeleton/output_location.h"
#include "skeleton/pose_messages.h"
#include "skeleton/targa_writer.h"
#include "skeleton/texture_table.h"
#include "support/ascii.h"
#include "support/paths.h"

namespace skeleton {

std::string TextureBaseName(std::string_view mapName) {
    return support::BaseName(mapName);
}

std::string TextureTargetPath(const OutputLocation& location, std::string_view mapName) {
    return location.FilePath(TextureBaseName(mapName) + ".tga");
}

namespace {

// Two different maps that would become one Targa file (same base name from two folders, or two
// extensions) would leave the .POS file pointing two materials at one picture. Reports the first
// such pair; the same map listed twice is no conflict. Target names are compared ignoring case,
// as the game's file system does.
bool TargetsAreDistinct(const TextureTable& table, const OutputLocation& location) {
    for (int i = 0; i < table.Count(); ++i) {
        const std::string target = TextureTargetPath(location, table[i].diffuseMap);
        for (int j = 0; j < i; ++j) {
            if (table[j].diffuseMap == table[i].diffuseMap) continue;
            if (!support::EqualIgnoringCase(TextureTargetPath(location, table[j].diffuseMap),
                                            target))
                continue;
            ShowError("The textures %s and %s would both be saved as %s",
                      table[j].diffuseMap.c_str(), table[i].diffuseMap.c_str(), target.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

bool ExportTextures(HostInterface& host, const TextureTable& textures,
                    const OutputLocation& location) {
    if (!TargetsAreDistinct(textures, location)) return false;
    host.ProgressStart("Exporting textures", true, &frame::NoProgressWork, nullptr);
    const int count = textures.Count();
    for (int i = 0; i < count; ++i) {
        host.ProgressUpdate(frame::ProgressPercent(i, count));
        if (host.GetCancel()) return false;
        const std::string& source = textures[i].diffuseMap;
        const std::string target = TextureTargetPath(location, source);
        if (!SaveAsTarga(source.c_str(), target.c_str())) {
            ShowError("Error saving %s to %s", source.c_str(), target.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace skeleton
