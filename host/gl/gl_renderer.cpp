#include "gl_renderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "gl_program.h"

namespace plughost::gl {

namespace {

constexpr int kWantedSamples = 4;
constexpr int kLargestTile = 2048;
constexpr float kAmbient = 0.15f;
const SceneLight kHeadLight{{0, 0, 0}, {1, 1, 1}};

std::string GlFault(const char* what, GLenum code) {
    char text[96];
    std::snprintf(text, sizeof text, "OpenGL error 0x%04X while %s", code, what);
    return text;
}

// Clears the GL error flags; the first one set, or GL_NO_ERROR.
GLenum TakeGlError() {
    GLenum first = GL_NO_ERROR;
    for (GLenum e; (e = glGetError()) != GL_NO_ERROR;)
        if (first == GL_NO_ERROR) first = e;
    return first;
}

Point3 ToEye(const Mat4& view, const Point3& p) {
    return {view[0] * p.x + view[4] * p.y + view[8] * p.z + view[12],
            view[1] * p.x + view[5] * p.y + view[9] * p.z + view[13],
            view[2] * p.x + view[6] * p.y + view[10] * p.z + view[14]};
}

// A resolved pixel's colour is weighted by its coverage; dividing by alpha gives the surface's
// own colour, which is what a 64-bit host pixel holds beside its alpha.
BitmapPixel64 Straight(const uint16_t* rgba) {
    const uint32_t a = rgba[3];
    if (a == 0) return {0, 0, 0, 0};
    if (a == 65535) return {rgba[0], rgba[1], rgba[2], 65535};
    const auto scale = [a](uint32_t c) {
        return static_cast<uint16_t>(std::min<uint32_t>(65535, (c * 65535u + a / 2) / a));
    };
    return {scale(rgba[0]), scale(rgba[1]), scale(rgba[2]), static_cast<uint16_t>(a)};
}

}  // namespace

std::unique_ptr<GlRenderer> GlRenderer::Create(std::string& error) {
    std::unique_ptr<GlRenderer> renderer(new GlRenderer);
    if (!renderer->Init(error)) return nullptr;
    return renderer;
}

bool GlRenderer::Init(std::string& error) {
    TakeGlError();
    program_ = std::make_unique<GlProgram>();
    if (!BuildGlProgram(*program_, error)) return false;
    glGenVertexArrays(1, &vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    const GLsizei stride = kCornerFloats * sizeof(float);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glGenFramebuffers(1, &sampledFramebuffer_);
    glGenFramebuffers(1, &resolvedFramebuffer_);
    glGenRenderbuffers(1, &sampledColor_);
    glGenRenderbuffers(1, &sampledDepth_);
    glGenRenderbuffers(1, &resolvedColor_);

    GLint maxSamples = 0, maxRenderbuffer = 0, maxViewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
    samples_ = std::min(kWantedSamples, maxSamples);
    maxTileSize_ = std::min({kLargestTile, static_cast<int>(maxRenderbuffer),
                             static_cast<int>(maxViewport[0]), static_cast<int>(maxViewport[1])});
    tileSize_ = maxTileSize_;
    if (const GLenum e = TakeGlError(); e != GL_NO_ERROR || tileSize_ < 1) {
        error = GlFault("setting up the renderer", e);
        return false;
    }
    return true;
}

GlRenderer::~GlRenderer() {
    for (const auto& [name, texture] : textures_)
        if (texture) glDeleteTextures(1, &texture);
    const unsigned renderbuffers[] = {sampledColor_, sampledDepth_, resolvedColor_};
    glDeleteRenderbuffers(3, renderbuffers);
    const unsigned framebuffers[] = {sampledFramebuffer_, resolvedFramebuffer_};
    glDeleteFramebuffers(2, framebuffers);
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteVertexArrays(1, &vertexArray_);
    if (program_ && program_->id) glDeleteProgram(program_->id);
}

void GlRenderer::SetTileSize(int size) {
    tileSize_ = std::clamp(size, 1, maxTileSize_);
}

std::vector<std::string> GlRenderer::TakeWarnings() {
    return std::exchange(warnings_, {});
}

bool GlRenderer::SizeTargets(int width, int height, std::string& error) {
    if (width == targetWidth_ && height == targetHeight_) return true;
    glBindRenderbuffer(GL_RENDERBUFFER, sampledColor_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, GL_RGBA16, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, sampledDepth_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, GL_DEPTH_COMPONENT24, width,
                                     height);
    glBindRenderbuffer(GL_RENDERBUFFER, resolvedColor_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA16, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, sampledFramebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, sampledColor_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, sampledDepth_);
    const GLenum sampled = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, resolvedFramebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              resolvedColor_);
    const GLenum resolved = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (const GLenum e = TakeGlError(); e != GL_NO_ERROR) {
        targetWidth_ = targetHeight_ = 0;
        error = GlFault("making the 16-bit RGBA render targets", e);
        return false;
    }
    if (sampled != GL_FRAMEBUFFER_COMPLETE || resolved != GL_FRAMEBUFFER_COMPLETE) {
        targetWidth_ = targetHeight_ = 0;
        error = "the driver cannot render into 16-bit RGBA with " + std::to_string(samples_) +
                " samples per pixel";
        return false;
    }
    targetWidth_ = width;
    targetHeight_ = height;
    return true;
}

unsigned GlRenderer::Texture(const std::string& name) {
    if (const auto it = textures_.find(name); it != textures_.end()) return it->second;
    unsigned& texture = textures_[name];
    if (!TheManager) return texture;
    BitmapInfo info;
    info.SetName(name.c_str());
    uint16_t status = kBitmapStatusOk;
    Bitmap* bitmap = TheManager->Load(&info, &status);
    if (!bitmap) {
        warnings_.push_back("the diffuse map \"" + name + "\" cannot be loaded (" +
                            (status == kBitmapStatusNotFound ? "not found" : "not an image") +
                            "); its faces get the diffuse colour");
        return texture;
    }
    const int width = bitmap->Width(), height = bitmap->Height();
    // Texture coordinate v = 0 is the image's bottom row, which GL takes first.
    std::vector<BitmapPixel64> pixels(static_cast<size_t>(width) * height);
    bool read = true;
    for (int y = 0; y < height && read; ++y)
        read = bitmap->GetPixels(0, height - 1 - y, width, &pixels[static_cast<size_t>(y) * width]);
    bitmap->DeleteThis();
    if (!read || width <= 0 || height <= 0) {
        warnings_.push_back("the diffuse map \"" + name + "\" cannot be read");
        return texture;
    }
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16, width, height, 0, GL_RGBA, GL_UNSIGNED_SHORT,
                 pixels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (TakeGlError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        texture = 0;
        warnings_.push_back("the diffuse map \"" + name + "\" is too large for the driver");
    }
    return texture;
}

void GlRenderer::DrawGroups(const RenderScene& scene, const Mat4& view, float viewDeterminant) {
    const GlProgram& p = *program_;
    for (const DrawGroup& group : scene.groups) {
        if (group.cornerCount == 0) continue;
        const Mat4 modelView = Multiply(view, ToMat4(group.objectTM));
        glUniformMatrix4fv(p.modelView, 1, GL_FALSE, modelView.data());
        // A mirroring placement or view turns the corners' order around on screen.
        const bool mirrored = (Determinant3(group.objectTM) < 0.0f) != (viewDeterminant < 0.0f);
        glFrontFace(mirrored ? GL_CW : GL_CCW);
        if (group.look.twoSided)
            glDisable(GL_CULL_FACE);
        else
            glEnable(GL_CULL_FACE);
        const unsigned texture = group.look.diffuseMap.empty() ? 0 : Texture(group.look.diffuseMap);
        glUniform1i(p.useMap, texture != 0);
        if (texture) glBindTexture(GL_TEXTURE_2D, texture);
        glUniform3f(p.diffuse, group.look.diffuse.x, group.look.diffuse.y, group.look.diffuse.z);
        glDrawArrays(GL_TRIANGLES, static_cast<GLint>(group.firstCorner),
                     static_cast<GLsizei>(group.cornerCount));
    }
}

bool GlRenderer::Render(const RenderScene& scene, const RenderView& view, int width, int height,
                        const PixelArea& area, const PixelSink& sink, std::string& error) {
    TakeGlError();
    const GlProgram& p = *program_;
    glUseProgram(p.id);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    // The buffer only grows, so that frame after frame the driver keeps its storage.
    const size_t bytes = scene.corners.size() * sizeof(float);
    if (bytes > vertexBufferBytes_) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STREAM_DRAW);
        vertexBufferBytes_ = bytes;
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), scene.corners.data());

    const Mat4 viewMatrix = ViewMatrix(view);
    const float viewDeterminant = Determinant3(view.placement);
    std::vector<SceneLight> lights = scene.lights;
    if (lights.empty()) {
        lights.push_back(kHeadLight);
    } else {
        for (SceneLight& light : lights) light.position = ToEye(viewMatrix, light.position);
    }
    if (lights.size() > static_cast<size_t>(kMaxLights)) lights.resize(kMaxLights);
    std::vector<float> positions, colors;
    for (const SceneLight& light : lights) {
        positions.insert(positions.end(), {light.position.x, light.position.y, light.position.z});
        colors.insert(colors.end(), {light.color.x, light.color.y, light.color.z});
    }
    glUniform1i(p.lightCount, static_cast<GLint>(lights.size()));
    glUniform3fv(p.lightPosition, static_cast<GLsizei>(lights.size()), positions.data());
    glUniform3fv(p.lightColor, static_cast<GLsizei>(lights.size()), colors.data());
    glUniform1f(p.ambient, kAmbient);
    glUniform1i(p.diffuseMap, 0);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glCullFace(GL_BACK);
    glEnable(GL_MULTISAMPLE);
    if (const GLenum e = TakeGlError(); e != GL_NO_ERROR) {
        vertexBufferBytes_ = 0;  // the storage may not have been made
        error = GlFault("uploading the scene", e);
        return false;
    }

    for (int top = area.y; top < area.y + area.height; top += tileSize_) {
        for (int left = area.x; left < area.x + area.width; left += tileSize_) {
            const PixelArea tile{left, top, std::min(tileSize_, area.x + area.width - left),
                                 std::min(tileSize_, area.y + area.height - top)};
            if (!SizeTargets(tile.width, tile.height, error)) return false;
            // GL counts rows from the bottom.
            const int bottom = height - tile.y - tile.height;
            const Mat4 projection =
                ProjectionMatrix(view, width, height, tile.x, bottom, tile.width, tile.height);
            glUniformMatrix4fv(p.projection, 1, GL_FALSE, projection.data());
            glBindFramebuffer(GL_FRAMEBUFFER, sampledFramebuffer_);
            // A new context's viewport is 0 x 0: set it for every tile.
            glViewport(0, 0, tile.width, tile.height);
            glClearColor(0, 0, 0, 0);
            glClearDepth(1.0);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            DrawGroups(scene, viewMatrix, viewDeterminant);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, sampledFramebuffer_);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolvedFramebuffer_);
            glBlitFramebuffer(0, 0, tile.width, tile.height, 0, 0, tile.width, tile.height,
                              GL_COLOR_BUFFER_BIT, GL_NEAREST);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, resolvedFramebuffer_);
            const size_t count = static_cast<size_t>(tile.width) * tile.height;
            readBack_.resize(count * 4);
            glPixelStorei(GL_PACK_ALIGNMENT, 2);
            glReadPixels(0, 0, tile.width, tile.height, GL_RGBA, GL_UNSIGNED_SHORT,
                         readBack_.data());
            if (const GLenum e = TakeGlError(); e != GL_NO_ERROR) {
                error = GlFault("drawing the scene", e);
                return false;
            }
            tilePixels_.resize(count);
            for (int row = 0; row < tile.height; ++row) {
                const uint16_t* source =
                    &readBack_[static_cast<size_t>(tile.height - 1 - row) * tile.width * 4];
                BitmapPixel64* target = &tilePixels_[static_cast<size_t>(row) * tile.width];
                for (int x = 0; x < tile.width; ++x) target[x] = Straight(source + 4 * x);
            }
            if (!sink(tile, tilePixels_.data())) {
                error = "the render was stopped";
                return false;
            }
        }
    }
    return true;
}

}  // namespace plughost::gl
