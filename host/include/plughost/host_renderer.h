#pragma once
// The host's current renderer behind the host interface's renderer calls: opened for a camera
// node or a view, it renders frames of the scene into bitmaps through OpenGL and is closed
// again. Faults are written to the message stream as "plughost: renderer: ..." and kept for
// LastError.
#include <memory>
#include <ostream>
#include <string>

#include "hostsdk/bitmap.h"
#include "hostsdk/renderer.h"
#include "plughost/render_scene.h"
#include "plughost/render_view.h"

namespace plughost {

class SceneRasterizer;

class HostRenderer {
  public:
    HostRenderer(SceneNode* root, std::ostream& messages);
    ~HostRenderer();
    HostRenderer(const HostRenderer&) = delete;
    HostRenderer& operator=(const HostRenderer&) = delete;

    // Opens for a camera node, checked to be a camera at time t. The render type must be the
    // normal one; width and height 0 take each frame's bitmap size, otherwise every bitmap must
    // have that size. An open renderer is closed first.
    bool OpenCamera(SceneNode* camera, TimeValue t, RenderType type, int width, int height);
    bool OpenView(const RenderView& view, RenderType type, int width, int height);
    // Renders the scene at time t into the bitmap through the opened camera or view, or through
    // `view` when given; only the pixels inside `region` when given (clipped to the bitmap).
    bool RenderFrame(TimeValue t, Bitmap* bitmap, RenderProgressCallback* progress,
                     const RenderView* view, const RenderRegion* region);
    void Close();
    // Writes the fault to the message stream and keeps it for LastError; returns false.
    bool Report(const std::string& why);

    bool IsOpen() const { return open_; }
    const std::string& LastError() const { return lastError_; }
    // The GL renderer once an open made it (tests limit its tiles).
    SceneRasterizer* Gl() { return gl_.get(); }

  private:
    bool Open(RenderType type, int width, int height);

    SceneNode* root_;
    std::ostream& messages_;
    bool open_ = false;
    SceneNode* camera_ = nullptr;  // null when opened for a view
    RenderView view_;
    int width_ = 0, height_ = 0;
    std::unique_ptr<SceneRasterizer> gl_;
    RenderScene scene_;  // kept so that its buffers serve the next frame too
    std::string lastError_;
};

}  // namespace plughost
