#include "skeleton/output_location.h"

namespace {
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

OutputLocation SplitOutputLocation(std::string_view path) {
    OutputLocation location;
    if (path.size() >= 2 && path[1] == ':' && IsLetter(path[0])) {
        location.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    const auto slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos)
        location.directory = std::string(path.substr(0, slash + 1));
    return location;
}

std::string OutputLocation::FilePath(std::string_view fileName) const {
    std::string path = drive + directory;
    // Here the system's backslash is a '/', which both platforms accept.
    if (!directory.empty() && !IsSeparator(directory.back())) path += '/';
    path += fileName;
    return path;
}

OutputLocation& PoseOutputLocation() {
    static OutputLocation location;
    return location;
}
