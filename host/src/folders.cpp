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
    // The build puts the plug-ins beside the program's folder (bin/ and plugins/), an installed
    // tree under lib/ (bin/ and lib/assetpipe/plugins/); looking there first keeps a moved
    // build or installation working.
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const auto top = exe.parent_path().parent_path();
        for (const auto& candidate : {top / "plugins", top / PLUGHOST_INSTALLED_PLUGIN_DIR})
            if (std::filesystem::is_directory(candidate, ec)) return candidate.string();
    }
    return PLUGHOST_DEFAULT_PLUGIN_DIR;
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
