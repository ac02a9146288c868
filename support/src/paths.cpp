#include "support/paths.h"

namespace support {

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

bool HasDrive(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    const char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (HasDrive(path)) {
        parts.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    const auto slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        parts.folder = std::string(path.substr(0, slash + 1));
        path.remove_prefix(slash + 1);
    }
    const auto dot = path.rfind('.');
    if (dot != std::string_view::npos) {
        parts.extension = std::string(path.substr(dot));
        path = path.substr(0, dot);
    }
    parts.base = std::string(path);
    return parts;
}

std::string JoinPath(std::string_view folder, std::string_view file) {
    std::string joined(folder);
    if (!joined.empty() && !IsPathSeparator(joined.back())) joined += '/';
    joined += file;
    return joined;
}

std::string DriveAndFolder(std::string_view path) {
    const PathParts parts = SplitPath(path);
    return parts.drive + parts.folder;
}

std::string FileName(std::string_view path) {
    const PathParts parts = SplitPath(path);
    return parts.base + parts.extension;
}

std::string BaseName(std::string_view path) {
    return SplitPath(path).base;
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
    const PathParts parts = SplitPath(path);
    return parts.drive + parts.folder + parts.base + std::string(extension);
}

}  // namespace support
