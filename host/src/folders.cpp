#include "plughost/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace plughost {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    return home.empty() ? "." : home;
}

}  // namespace

std::string ResolvePluginsDir(const std::string& option) {
    if (!option.empty()) return option;
    if (std::string env = Env("PLUGHOST_PLUGINS"); !env.empty()) return env;
    return FolderBesideProgram({"plugins", PLUGHOST_INSTALLED_PLUGIN_DIR},
                               PLUGHOST_DEFAULT_PLUGIN_DIR);
}

std::string FolderBesideProgram(std::initializer_list<const char*> beside,
                                const std::string& fallback) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const auto top = exe.parent_path().parent_path();
        for (const char* path : beside)
            if (std::filesystem::is_directory(top / path, ec)) return (top / path).string();
    }
    return fallback;
}

std::string ResolvePlugCfgDir(const std::string& option) {
    if (!option.empty()) return option;
    if (std::string env = Env("PLUGHOST_PLUGCFG"); !env.empty()) return env;
    return HomeFolder() + "/.config/plughost/plugcfg";
}

bool EnsureFolder(const std::string& folder, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return true;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder)) {
        error = folder + ": cannot create the folder (" +
                (ec ? ec.message() : std::string("a file of that name is in the way")) + ")";
        return false;
    }
    return true;
}

}  // namespace plughost
