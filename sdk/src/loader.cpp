#include "hostsdk/loader.h"

#include <dlfcn.h>

namespace {
template <typename Fn>
Fn Lookup(void* handle, const char* name) {
    return reinterpret_cast<Fn>(dlsym(handle, name));
}
}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Load(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = path + ": cannot load library: " + (why ? why : "unknown error");
        return nullptr;
    }
    std::unique_ptr<PluginLibrary> lib(new PluginLibrary);
    lib->path_ = path;
    lib->description_ = Lookup<LibDescriptionFn>(handle, "LibDescription");
    lib->numberClasses_ = Lookup<LibNumberClassesFn>(handle, "LibNumberClasses");
    lib->classDesc_ = Lookup<LibClassDescFn>(handle, "LibClassDesc");
    lib->version_ = Lookup<LibVersionFn>(handle, "LibVersion");
    lib->entry_ = Lookup<LibEntryFn>(handle, "LibEntry");
    const char* missing = !lib->description_     ? "LibDescription"
                          : !lib->numberClasses_ ? "LibNumberClasses"
                          : !lib->classDesc_     ? "LibClassDesc"
                          : !lib->version_       ? "LibVersion"
                          : !lib->entry_         ? "LibEntry"
                                                 : nullptr;
    if (missing) {
        dlclose(handle);
        error = path + ": not a plug-in library (no " + missing + " export)";
        return nullptr;
    }
    // The library's module handle is its dlopen handle: unique per loaded library.
    if (!lib->entry_(handle, kReasonProcessAttach, nullptr)) {
        dlclose(handle);
        error = path + ": the library refused to load (its entry returned 0)";
        return nullptr;
    }
    lib->handle_ = handle;
    return lib;
}

PluginLibrary::~PluginLibrary() {
    if (!handle_) return;
    entry_(handle_, kReasonProcessDetach, nullptr);
    dlclose(handle_);
}

std::string PluginLibrary::FileName() const {
    const auto slash = path_.find_last_of('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

const char* PluginLibrary::Description() const {
    const char* text = description_();
    return text ? text : "";
}

unsigned long PluginLibrary::Version() const {
    return version_();
}

int PluginLibrary::NumberClasses() const {
    return numberClasses_();
}

ClassDescriptor* PluginLibrary::ClassDesc(int index) const {
    if (index < 0 || index >= NumberClasses()) return nullptr;
    return classDesc_(index);
}
