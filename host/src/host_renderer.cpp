#include "plughost/host_renderer.h"

#include <algorithm>

#include "plughost/gl_module.h"

namespace plughost {

HostRenderer::HostRenderer(SceneNode* root, std::ostream& messages)
    : root_(root), messages_(messages) {}

HostRenderer::~HostRenderer() {
    // GL objects go with the context they were made in; it is current on this thread.
    std::string ignored;
    if (gl_ && !MakeGlContextCurrent(ignored)) static_cast<void>(gl_.release());
}

bool HostRenderer::Report(const std::string& why) {
    lastError_ = why;
    messages_ << "plughost: renderer: " << why << "\n";
    return false;
}

bool HostRenderer::Open(RenderType type, int width, int height) {
    Close();
    if (type != kRenderTypeNormal)
        return Report("render type " + std::to_string(type) + " is not supported (only 0, normal)");
    if (width < 0 || height < 0 || (width == 0) != (height == 0))
        return Report("cannot open for a size of " + std::to_string(width) + " x " +
                      std::to_string(height) + " pixels");
    std::string error;
    if (!MakeGlContextCurrent(error)) return Report(error);
    if (!gl_ && !(gl_ = CreateGlRenderer(error))) return Report(error);
    width_ = width;
    height_ = height;
    open_ = true;
    return true;
}

bool HostRenderer::OpenCamera(SceneNode* camera, TimeValue t, RenderType type, int width,
                              int height) {
    Close();
    if (!camera) return Report("no camera node to open for (plughost has no viewports)");
    RenderView view;
    std::string error;
    if (!ViewFromCamera(*camera, t, view, error)) return Report(error);
    if (!Open(type, width, height)) return false;
    camera_ = camera;
    return true;
}

bool HostRenderer::OpenView(const RenderView& view, RenderType type, int width, int height) {
    if (!Open(type, width, height)) return false;
    view_ = view;
    return true;
}

void HostRenderer::Close() {
    open_ = false;
    camera_ = nullptr;
}

bool HostRenderer::RenderFrame(TimeValue t, Bitmap* bitmap, RenderProgressCallback* progress,
                               const RenderView* view, const RenderRegion* region) {
    if (!open_) return Report("render called while the renderer is not open");
    if (!bitmap || bitmap->Width() <= 0 || bitmap->Height() <= 0)
        return Report("no bitmap with pixels to render into");
    const int width = bitmap->Width(), height = bitmap->Height();
    if (width_ != 0 && (width != width_ || height != height_))
        return Report("the renderer was opened for " + std::to_string(width_) + " x " +
                      std::to_string(height_) + " pixels, the bitmap is " + std::to_string(width) +
                      " x " + std::to_string(height));
    RenderView frameView = view_;
    std::string error;
    if (view)
        frameView = *view;
    else if (camera_ && !ViewFromCamera(*camera_, t, frameView, error))
        return Report(error);

    PixelArea area{0, 0, width, height};
    if (region) {
        const int left = std::max(region->left, 0), top = std::max(region->top, 0);
        const int right = std::min(region->right, width), bottom = std::min(region->bottom, height);
        area = {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
        if (area.width == 0 || area.height == 0) return true;  // nothing asked for
    }
    if (!MakeGlContextCurrent(error)) return Report(error);

    const int tile = gl_->TileSize();
    const int tiles = ((area.width + tile - 1) / tile) * ((area.height + tile - 1) / tile);
    int done = 0;
    if (progress) {
        progress->SetTitle("Rendering");
        if (progress->Progress(0, tiles) == kRenderAbort) return Report("the render was cancelled");
    }
    bool written = true;
    const auto sink = [&](const PixelArea& rect, const BitmapPixel64* pixels) {
        for (int row = 0; row < rect.height && written; ++row)
            written = bitmap->PutPixels(rect.x, rect.y + row, rect.width,
                                        pixels + static_cast<size_t>(row) * rect.width) != 0;
        if (!written) return false;
        return !progress || progress->Progress(++done, tiles) != kRenderAbort;
    };
    CollectRenderScene(root_, t, scene_);
    const bool ok = gl_->Render(scene_, frameView, width, height, area, sink, error);
    for (const std::string& warning : gl_->TakeWarnings())
        messages_ << "plughost: renderer: warning: " << warning << "\n";
    if (ok) return true;
    if (!written) return Report("the bitmap refused the rendered pixels");
    return Report(error);
}

}  // namespace plughost
