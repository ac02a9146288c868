#include "plughost/host_modules.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "plughost/folders.h"

namespace plughost {

std::string ModuleFolder() {
    return FolderBesideProgram({"lib/plughost", PLUGHOST_INSTALLED_MODULE_DIR},
                               PLUGHOST_DEFAULT_MODULE_DIR);
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
