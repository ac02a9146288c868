#pragma once
// The OpenGL renderer, loaded from its module (plughost-gl.so) the first time it is asked for.
// The module brings EGL and the GL driver with it; a run that never renders loads neither.
#include <memory>
#include <string>

#include "plughost/scene_rasterizer.h"

namespace plughost {

// Makes the process's GL context current, loading the module and creating the context the
// first time. False with the reason in `error` ("no OpenGL: ..." with EGL's own reason, or why
// the module could not be loaded) when there is none; a failure is remembered.
bool MakeGlContextCurrent(std::string& error);

// The driver's name and version ("llvmpipe (LLVM 15.0.6, 256 bits), OpenGL 4.5 ..."), or empty
// before the context exists.
std::string GlContextDescription();

// A renderer drawing through the context, which must be current on the calling thread; null
// with the reason when its shaders or buffers cannot be made.
std::unique_ptr<SceneRasterizer> CreateGlRenderer(std::string& error);

// The module's entry points, as its one exported function returns them.
struct GlModuleEntryPoints {
    bool (*makeContextCurrent)(std::string& error);
    std::string (*contextDescription)();
    std::unique_ptr<SceneRasterizer> (*createRenderer)(std::string& error);
};

}  // namespace plughost

// The name the module exports its entry points under.
#define PLUGHOST_GL_MODULE_ENTRY "plughost_gl_module_entry_points"
