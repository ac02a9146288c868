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

namespace {

bool SameFileNameIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// Two different maps that would become one Targa file (same base name from two folders, or two
// extensions) would leave the .POS file pointing two materials at one picture. Reports the first
// such pair; the same map listed twice is no conflict. Target names are compared ignoring case,
// as the game's file system does.
bool TargetsAreDistinct(const TextureTable& table) {
    const OutputLocation& location = PoseOutputLocation();
    for (int i = 0; i < table.Count(); ++i) {
        const std::string target = TextureTargetPath(location, table[i].diffuseMap);
        for (int j = 0; j < i; ++j) {
            if (table[j].diffuseMap == table[i].diffuseMap) continue;
            if (!SameFileNameIgnoringCase(TextureTargetPath(location, table[j].diffuseMap), target))
                continue;
            ShowError("The textures %s and %s would both be saved as %s",
                      table[j].diffuseMap.c_str(), table[i].diffuseMap.c_str(), target.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

bool ExportTextures(HostInterface* host) {
    const TextureTable& table = TheTextureTable();
    if (!TargetsAreDistinct(table)) return false;
    host->ProgressStart("Exporting textures", true, &NoProgressWork, nullptr);
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
