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

namespace plughost {

struct GlProgram;

// A rectangle of the picture in pixels, row 0 at the top.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Receives the finished pixels of one rectangle, `rect.width` per row, top row first, with
// straight (not premultiplied) alpha. Returns false to stop the render.
using PixelSink = std::function<bool(const PixelRect& rect, const BitmapPixel64* pixels)>;

class GlRenderer {
  public:
    // Null with the reason when the shaders or buffers cannot be made.
    static std::unique_ptr<GlRenderer> Create(std::string& error);
    ~GlRenderer();
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    // Renders the scene as seen through the view into a picture of width x height pixels, but
    // only its pixels in `area` (inside the picture), and hands them to the sink tile by tile.
    // Where nothing was drawn all four channels are 0; covered pixels have alpha 65535 and
    // edge pixels their coverage. False with the reason on a GL fault or when the sink stops.
    bool Render(const RenderScene& scene, const RenderView& view, int width, int height,
                const PixelRect& area, const PixelSink& sink, std::string& error);

    // Textures that could not be loaded since the last call, one message each.
    std::vector<std::string> TakeWarnings();
    // The largest tile edge in pixels, and the samples per pixel.
    int TileSize() const { return tileSize_; }
    int Samples() const { return samples_; }
    // Limits the tile edge (at least 1), so tests can make small pictures use tiles.
    void SetTileSize(int size);

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

}  // namespace plughost
