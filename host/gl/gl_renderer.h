#pragma once
// Draws a gathered scene through OpenGL into 16-bit RGBA pixels: depth test, one-sided faces
// culled, diffuse maps (mipmapped, repeating) or diffuse colours, Lambert lighting from the
// scene's lights (a head light when it has none) plus a little ambient light, and multisampled
// edges. Large pictures are drawn in tiles. Needs the process's GL context (gl_context.h)
// current on the calling thread.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hostsdk/bitmap.h"
#include "plughost/render_scene.h"
#include "plughost/render_view.h"
#include "plughost/scene_rasterizer.h"

namespace plughost::gl {

struct GlProgram;

class GlRenderer : public SceneRasterizer {
  public:
    // Null with the reason when the shaders or buffers cannot be made.
    static std::unique_ptr<GlRenderer> Create(std::string& error);
    ~GlRenderer() override;
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    bool Render(const RenderScene& scene, const RenderView& view, int width, int height,
                const PixelArea& area, const PixelSink& sink, std::string& error) override;
    std::vector<std::string> TakeWarnings() override;
    int TileSize() const override { return tileSize_; }
    int Samples() const override { return samples_; }
    void SetTileSize(int size) override;

  private:
    GlRenderer() = default;
    bool Init(std::string& error);
    bool SizeTargets(int width, int height, std::string& error);
    // The texture of a bitmap file name, loaded through TheManager; 0 when it cannot be.
    unsigned Texture(const std::string& name);
    void DrawGroups(const RenderScene& scene, const Mat4& view, float viewDeterminant);

    std::unique_ptr<GlProgram> program_;
    unsigned vertexArray_ = 0, vertexBuffer_ = 0;
    unsigned sampledFramebuffer_ = 0, sampledColor_ = 0, sampledDepth_ = 0;
    unsigned resolvedFramebuffer_ = 0, resolvedColor_ = 0;
    size_t vertexBufferBytes_ = 0;
    int targetWidth_ = 0, targetHeight_ = 0;
    int samples_ = 0, tileSize_ = 0, maxTileSize_ = 0;
    std::map<std::string, unsigned> textures_;  // 0: could not be loaded
    std::vector<std::string> warnings_;
    std::vector<uint16_t> readBack_;
    std::vector<BitmapPixel64> tilePixels_;
};

}  // namespace plughost::gl
