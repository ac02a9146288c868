#include "file_names.h"

#include <cctype>

namespace {

std::string WithExtension(const PathParts& parts, const std::string& extension) {
    return parts.drive + parts.folder + parts.base + extension;
}

}  // namespace

PathParts SplitPath(const std::string& path) {
    PathParts parts;
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        parts.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const auto slash = rest.find_last_of("\\/");
    if (slash != std::string::npos) {
        parts.folder = rest.substr(0, slash + 1);
        rest.erase(0, slash + 1);
    }
    const auto dot = rest.rfind('.');
    if (dot != std::string::npos) {
        parts.extension = rest.substr(dot);
        rest.erase(dot);
    }
    parts.base = rest;
    return parts;
}

RunFileNames DeriveFileNames(const std::string& lwsArgument, const std::string& lcArgument) {
    const PathParts lws = SplitPath(lwsArgument);
    RunFileNames names;
    names.lws = lws.extension.empty() ? WithExtension(lws, ".lws") : lwsArgument;
    if (lcArgument.empty()) {
        names.lc = WithExtension(lws, ".lc");
    } else {
        const PathParts lc = SplitPath(lcArgument);
        names.lc = lc.extension.empty() ? WithExtension(lc, ".lc") : lcArgument;
    }
    names.backup = WithExtension(lws, ".bak");
    names.batch = WithExtension(lws, "_rename_cameras.bat");
    return names;
}

std::string DriveAndFolder(const std::string& path) {
    const PathParts parts = SplitPath(path);
    return parts.drive + parts.folder;
}
