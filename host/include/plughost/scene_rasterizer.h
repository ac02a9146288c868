#pragma once
// What the host's renderer draws through: a gathered scene in, 16-bit RGBA pixels out. The
// OpenGL implementation lives in a module of its own (gl_module.h), loaded on first use, so
// that runs which never render do not load the graphics libraries.
#include <functional>
#include <string>
#include <vector>

#include "hostsdk/bitmap.h"
#include "plughost/render_scene.h"
#include "plughost/render_view.h"

namespace plughost {

// A rectangle of the picture in pixels, row 0 at the top.
struct PixelArea {
    int x = 0, y = 0, width = 0, height = 0;
};

// Receives the finished pixels of one rectangle, `rect.width` per row, top row first, with
// straight (not premultiplied) alpha. Returns false to stop the render.
using PixelSink = std::function<bool(const PixelArea& rect, const BitmapPixel64* pixels)>;

class SceneRasterizer {
  public:
    virtual ~SceneRasterizer() = default;

    // Renders the scene as seen through the view into a picture of width x height pixels, but
    // only its pixels in `area` (inside the picture), and hands them to the sink tile by tile.
    // Where nothing was drawn all four channels are 0; covered pixels have alpha 65535 and
    // edge pixels their coverage. False with the reason on a fault or when the sink stops.
    virtual bool Render(const RenderScene& scene, const RenderView& view, int width, int height,
                        const PixelArea& area, const PixelSink& sink, std::string& error) = 0;

    // Textures that could not be loaded since the last call, one message each.
    virtual std::vector<std::string> TakeWarnings() = 0;
    // The largest tile edge in pixels, and the samples per pixel.
    virtual int TileSize() const = 0;
    virtual int Samples() const = 0;
    // Limits the tile edge (at least 1), so tests can make small pictures use tiles.
    virtual void SetTileSize(int size) = 0;
};

}  // namespace plughost
