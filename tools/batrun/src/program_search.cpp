#include "batrun/program_search.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "batrun/batch_line.h"
#include "support/ascii.h"

namespace batrun {

namespace fs = std::filesystem;

namespace {

bool IsExecutableFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

// The name without a ".exe" or ".com" a Windows batch may add.
std::string WithoutProgramExtension(const std::string& name) {
    if (name.size() > 4) {
        const std::string extension = name.substr(name.size() - 4);
        if (support::EqualIgnoringCase(extension, ".exe") ||
            support::EqualIgnoringCase(extension, ".com")) {
            return name.substr(0, name.size() - 4);
        }
    }
    return name;
}

std::string FindInFolder(const fs::path& folder, const std::string& name) {
    if (IsExecutableFile(folder / name)) return (folder / name).string();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if ((support::EqualIgnoringCase(file, name) ||
             support::EqualIgnoringCase(WithoutProgramExtension(file), name)) &&
            IsExecutableFile(it->path())) {
            return it->path().string();
        }
    }
    return {};
}

}  // namespace

std::string FindProgram(const std::string& name, const std::string& searchPath) {
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
    const std::string bare = WithoutProgramExtension(name);
    std::istringstream folders(searchPath);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        // An empty entry means the current folder.
        const fs::path where = folder.empty() ? fs::path(".") : fs::path(folder);
        std::string found = FindInFolder(where, bare);
        if (found.empty() && bare != name) found = FindInFolder(where, name);
        if (!found.empty()) return found;
    }
    return {};
}

}  // namespace batrun
