#include "plughost/gl_module.h"

#include "plughost/host_modules.h"

#if defined(__SANITIZE_ADDRESS__)
// Sanitizer builds only. This compiler's sanitizer runtime takes some of the driver's dynamic
// TLS blocks for an old glibc layout, and its leak checker then crashes at exit (how often
// depends on where the blocks land). Every program that can open the renderer links this file,
// so its default is to leave __tls_get_addr alone; ASAN_OPTIONS still overrides it.
extern "C" __attribute__((visibility("default"))) const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
#endif

namespace plughost {

namespace {

constexpr const char* kModuleFile = "plughost-gl.so";

// The module's entry points, or null with the reason it could not be loaded (kept, so that
// every later call fails the same way).
const GlModuleEntryPoints* EntryPoints(std::string& error) {
    static std::string loadError;
    static const GlModuleEntryPoints* entry = [] {
        using Entry = const GlModuleEntryPoints* (*)();
        auto function = reinterpret_cast<Entry>(
            ModuleFunction(kModuleFile, PLUGHOST_GL_MODULE_ENTRY, loadError));
        return function ? function() : nullptr;
    }();
    if (!entry) error = "no OpenGL: " + loadError;
    return entry;
}

}  // namespace

bool MakeGlContextCurrent(std::string& error) {
    const GlModuleEntryPoints* entry = EntryPoints(error);
    return entry && entry->makeContextCurrent(error);
}

std::string GlContextDescription() {
    std::string ignored;
    const GlModuleEntryPoints* entry = EntryPoints(ignored);
    return entry ? entry->contextDescription() : std::string();
}

std::unique_ptr<SceneRasterizer> CreateGlRenderer(std::string& error) {
    const GlModuleEntryPoints* entry = EntryPoints(error);
    return entry ? entry->createRenderer(error) : nullptr;
}

}  // namespace plughost
