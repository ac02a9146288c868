#include "frame/paths.h"

namespace {
bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}
}  // namespace

std::string JoinPath(const std::string& folder, const std::string& file) {
    if (folder.empty()) return file;
    if (IsSeparator(folder.back())) return folder + file;
    return folder + "/" + file;
}

std::string DriveAndDirectory(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash != std::string::npos) return path.substr(0, slash + 1);
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive ? path.substr(0, 2) : std::string();
}
