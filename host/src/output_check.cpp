#include "plughost/output_check.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <filesystem>

namespace plughost {

std::string OutputProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path file(path);
    if (fs::is_directory(file, ec)) return "it is a folder";
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (!fs::exists(folder, ec)) return "its folder " + folder.string() + " does not exist";
    if (!fs::is_directory(folder, ec)) return folder.string() + " is not a folder";
    if (::access(folder.c_str(), W_OK) != 0)
        return "its folder " + folder.string() + " is not writable";
    if (fs::exists(file, ec) && ::access(file.c_str(), W_OK) != 0) return "the file is read-only";
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) == 0 && disk.f_bavail == 0 && disk.f_blocks > 0)
        return "no space is left on the disk that holds " + folder.string();
    return {};
}

}  // namespace plughost
