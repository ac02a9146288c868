// The module's one exported symbol: the table of its entry points.
#include "gl_context.h"
#include "gl_renderer.h"
#include "plughost/gl_module.h"

namespace {

std::unique_ptr<plughost::SceneRasterizer> CreateRenderer(std::string& error) {
    return plughost::gl::GlRenderer::Create(error);
}

const plughost::GlModuleEntryPoints kEntryPoints{plughost::gl::MakeContextCurrent,
                                                 plughost::gl::ContextDescription, CreateRenderer};

}  // namespace

extern "C" __attribute__((visibility("default"))) const plughost::GlModuleEntryPoints*
plughost_gl_module_entry_points() {
    return &kEntryPoints;
}
