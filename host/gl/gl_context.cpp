#include "gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>
#include <optional>

#include "gl_program.h"

namespace plughost::gl {

namespace {

struct ContextState {
    bool tried = false;
    std::string error;  // empty once the context exists
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    std::string description;
};

// Never torn down: the display lives until the process exits. Terminating it at exit unloads
// the driver and leaves the leak checker with the driver's allocations it can no longer name;
// the process's end releases everything anyway.
ContextState& State() {
    static ContextState* state = new ContextState;
    return *state;
}

const char* EglErrorName(EGLint code) {
    switch (code) {
        case EGL_SUCCESS:
            return "EGL_SUCCESS";
        case EGL_NOT_INITIALIZED:
            return "EGL_NOT_INITIALIZED";
        case EGL_BAD_ACCESS:
            return "EGL_BAD_ACCESS";
        case EGL_BAD_ALLOC:
            return "EGL_BAD_ALLOC";
        case EGL_BAD_ATTRIBUTE:
            return "EGL_BAD_ATTRIBUTE";
        case EGL_BAD_CONFIG:
            return "EGL_BAD_CONFIG";
        case EGL_BAD_CONTEXT:
            return "EGL_BAD_CONTEXT";
        case EGL_BAD_CURRENT_SURFACE:
            return "EGL_BAD_CURRENT_SURFACE";
        case EGL_BAD_DISPLAY:
            return "EGL_BAD_DISPLAY";
        case EGL_BAD_MATCH:
            return "EGL_BAD_MATCH";
        case EGL_BAD_NATIVE_PIXMAP:
            return "EGL_BAD_NATIVE_PIXMAP";
        case EGL_BAD_NATIVE_WINDOW:
            return "EGL_BAD_NATIVE_WINDOW";
        case EGL_BAD_PARAMETER:
            return "EGL_BAD_PARAMETER";
        case EGL_BAD_SURFACE:
            return "EGL_BAD_SURFACE";
        case EGL_CONTEXT_LOST:
            return "EGL_CONTEXT_LOST";
        default:
            return "unknown EGL error";
    }
}

std::string Failed(const char* call) {
    return std::string(call) + " failed (" + EglErrorName(eglGetError()) + ")";
}

bool HasExtension(const char* list, const char* name) {
    if (!list) return false;
    const size_t n = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += n) {
        const bool startsWord = p == list || p[-1] == ' ';
        if (startsWord && (p[n] == ' ' || p[n] == '\0')) return true;
    }
    return false;
}

// Opens the display and makes a context current; the reason when it cannot.
std::optional<std::string> Create(ContextState& s) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"))
        return std::string(
            "EGL offers no surfaceless platform (is Mesa's libegl-mesa0 installed?)");
    s.display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (s.display == EGL_NO_DISPLAY) return Failed("eglGetPlatformDisplay");
    EGLint major = 0, minor = 0;
    if (!eglInitialize(s.display, &major, &minor)) return Failed("eglInitialize");
    const char* extensions = eglQueryString(s.display, EGL_EXTENSIONS);
    for (const char* needed : {"EGL_KHR_surfaceless_context", "EGL_KHR_no_config_context"})
        if (!HasExtension(extensions, needed))
            return std::string("the EGL display lacks ") + needed;
    if (!eglBindAPI(EGL_OPENGL_API)) return Failed("eglBindAPI(EGL_OPENGL_API)");
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 3,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                 EGL_NONE};
    s.context = eglCreateContext(s.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (s.context == EGL_NO_CONTEXT) return Failed("eglCreateContext (OpenGL 3.3 core)");
    if (!eglMakeCurrent(s.display, EGL_NO_SURFACE, EGL_NO_SURFACE, s.context))
        return Failed("eglMakeCurrent");
    std::string driver;
    if (CurrentGlVersion(driver) < 33)
        return "the driver offers OpenGL older than 3.3 core (" + driver + ")";
    s.description = driver + ", EGL " + std::to_string(major) + "." + std::to_string(minor);
    return std::nullopt;
}

}  // namespace

bool MakeContextCurrent(std::string& error) {
    ContextState& s = State();
    if (!s.tried) {
        s.tried = true;
        if (auto why = Create(s)) s.error = "no OpenGL: " + *why;
    } else if (s.error.empty() && eglGetCurrentContext() != s.context &&
               !eglMakeCurrent(s.display, EGL_NO_SURFACE, EGL_NO_SURFACE, s.context)) {
        error = "no OpenGL: " + Failed("eglMakeCurrent");
        return false;
    }
    error = s.error;
    return s.error.empty();
}

std::string ContextDescription() {
    return State().description;
}

}  // namespace plughost::gl
