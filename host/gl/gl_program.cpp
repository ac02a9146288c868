#include "gl_program.h"

#include <epoxy/gl.h>

#include <vector>

namespace plughost::gl {

namespace {

// Corners in object space with texture coordinates; lighting is done in eye space.
const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 uv;
uniform mat4 modelView;
uniform mat4 projection;
out vec3 eyePosition;
out vec2 texCoord;
void main() {
    vec4 p = modelView * vec4(position, 1.0);
    eyePosition = p.xyz;
    texCoord = uv;
    gl_Position = projection * p;
}
)";

// The scene model has no normals: each face is lit flat with the normal of its plane, taken
// from the screen-space change of the eye position and turned toward the eye, so the side seen
// is the side lit, for one- and two-sided faces and through mirrored views alike.
const char* const kFragmentShader = R"(#version 330 core
in vec3 eyePosition;
in vec2 texCoord;
uniform bool useMap;
uniform vec3 diffuse;
uniform sampler2D diffuseMap;
uniform float ambient;
uniform int lightCount;
uniform vec3 lightPosition[8];
uniform vec3 lightColor[8];
out vec4 color;
void main() {
    vec3 n = normalize(cross(dFdx(eyePosition), dFdy(eyePosition)));
    if (dot(n, eyePosition) > 0.0) n = -n;
    vec3 base = useMap ? texture(diffuseMap, texCoord).rgb : diffuse;
    vec3 light = vec3(ambient);
    for (int i = 0; i < lightCount; ++i) {
        vec3 toLight = normalize(lightPosition[i] - eyePosition);
        light += lightColor[i] * max(dot(n, toLight), 0.0);
    }
    color = vec4(base * light, 1.0);
}
)";

std::string InfoLog(unsigned object, bool isProgram) {
    GLint length = 0;
    if (isProgram)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    if (isProgram)
        glGetProgramInfoLog(object, length, nullptr, log.data());
    else
        glGetShaderInfoLog(object, length, nullptr, log.data());
    return log.data();
}

unsigned Compile(GLenum kind, const char* source, std::string& error) {
    const unsigned shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    error = "the renderer's shader does not compile: " + InfoLog(shader, false);
    glDeleteShader(shader);
    return 0;
}

}  // namespace

int CurrentGlVersion(std::string& description) {
    const auto text = [](GLenum name) {
        const auto* s = reinterpret_cast<const char*>(glGetString(name));
        return std::string(s ? s : "?");
    };
    description = text(GL_RENDERER) + ", OpenGL " + text(GL_VERSION);
    return epoxy_gl_version();
}

bool BuildGlProgram(GlProgram& program, std::string& error) {
    const unsigned vertex = Compile(GL_VERTEX_SHADER, kVertexShader, error);
    if (!vertex) return false;
    const unsigned fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader, error);
    if (!fragment) {
        glDeleteShader(vertex);
        return false;
    }
    program.id = glCreateProgram();
    glAttachShader(program.id, vertex);
    glAttachShader(program.id, fragment);
    glLinkProgram(program.id);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = 0;
    glGetProgramiv(program.id, GL_LINK_STATUS, &ok);
    if (!ok) {
        error = "the renderer's shaders do not link: " + InfoLog(program.id, true);
        glDeleteProgram(program.id);
        program.id = 0;
        return false;
    }
    const auto at = [&](const char* name) { return glGetUniformLocation(program.id, name); };
    program.modelView = at("modelView");
    program.projection = at("projection");
    program.useMap = at("useMap");
    program.diffuse = at("diffuse");
    program.diffuseMap = at("diffuseMap");
    program.ambient = at("ambient");
    program.lightCount = at("lightCount");
    program.lightPosition = at("lightPosition");
    program.lightColor = at("lightColor");
    return true;
}

}  // namespace plughost::gl
