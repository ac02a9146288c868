#include "skeleton/texture_export.h"

#include <hostsdk/host.h>

#include "frame/export_progress.h"
#include "skeleton/output_location.h"
#include "skeleton/pose_messages.h"
#include "skeleton/targa_writer.h"
#include "skeleton/texture_table.h"

std::string TextureBaseName(std::string_view mapName) {
    const auto slash = mapName.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        mapName.remove_prefix(slash + 1);
    } else if (mapName.size() >= 2 && mapName[1] == ':') {
        mapName.remove_prefix(2);
    }
    const auto dot = mapName.find_last_of('.');
    if (dot != std::string_view::npos) mapName = mapName.substr(0, dot);
    return std::string(mapName);
}

std::string TextureTargetPath(const OutputLocation& location, std::string_view mapName) {
    return location.FilePath(TextureBaseName(mapName) + ".tga");
}

bool ExportTextures(HostInterface* host) {
    host->ProgressStart("Exporting textures", true, &NoProgressWork, nullptr);
    const TextureTable& table = TheTextureTable();
    const int count = table.Count();
    for (int i = 0; i < count; ++i) {
        host->ProgressUpdate(ProgressPercent(i, count));
        if (host->GetCancel()) return false;
        const std::string& source = table[i].diffuseMap;
        const std::string target = TextureTargetPath(PoseOutputLocation(), source);
        if (!SaveAsTarga(source.c_str(), target.c_str())) {
            ShowError("Error saving %s to %s", source.c_str(), target.c_str());
            return false;
        }
    }
    return true;
}
