#pragma once
// The renderer's shader program: its GLSL source, compiled and linked, and where its uniforms
// are.
#include <string>

namespace plughost::gl {

inline constexpr int kMaxLights = 8;

struct GlProgram {
    unsigned id = 0;
    int modelView = -1, projection = -1;
    int useMap = -1, diffuse = -1, diffuseMap = -1;
    int ambient = -1, lightCount = -1, lightPosition = -1, lightColor = -1;
};

// The current context's OpenGL version as major * 10 + minor, with its renderer and version
// strings in `description`.
int CurrentGlVersion(std::string& description);

// Compiles and links the program; false with the compiler's log when it fails.
bool BuildGlProgram(GlProgram& program, std::string& error);

}  // namespace plughost::gl
