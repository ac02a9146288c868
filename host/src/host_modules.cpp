#include "plughost/host_modules.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>

namespace plughost {

std::string ModuleFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const auto top = exe.parent_path().parent_path();
        for (const auto& candidate :
             {top / "lib" / "plughost", top / PLUGHOST_INSTALLED_MODULE_DIR})
            if (std::filesystem::is_directory(candidate, ec)) return candidate.string();
    }
    return PLUGHOST_DEFAULT_MODULE_DIR;
}

void* ModuleFunction(const std::string& fileName, const char* function, std::string& error) {
    static std::mutex mutex;
    static std::map<std::string, void*> loaded;
    std::lock_guard lock(mutex);
    void*& handle = loaded[fileName];
    if (handle == nullptr) {
        const std::string path = ModuleFolder() + "/" + fileName;
        // Never unloaded: the module's objects and threads may live until the process ends.
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (handle == nullptr) {
            const char* why = dlerror();
            error = "cannot load " + path + ": " + (why ? why : "unknown reason");
            return nullptr;
        }
    }
    void* symbol = dlsym(handle, function);
    if (symbol == nullptr) error = fileName + " has no " + function;
    return symbol;
}

}  // namespace plughost
