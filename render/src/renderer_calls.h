#pragma once
// The host's renderer calls in the interface generation this library is built for: the newer
// one passes the render type and the size on opening (0 and 0: each frame's bitmap decides) and
// a region on rendering (none: the whole bitmap).
#include <hostsdk/bitmap.h>
#include <hostsdk/host.h>

namespace render {

inline int OpenRendererForCamera(HostInterface* host, SceneNode* camera) {
#if HOSTSDK_API_GENERATION >= 7
    return host->OpenCurrentRenderer(camera, nullptr, kRenderTypeNormal, 0, 0);
#else
    return host->OpenCurrentRenderer(camera, nullptr);
#endif
}

inline int OpenRendererForView(HostInterface* host, ViewParams* view) {
#if HOSTSDK_API_GENERATION >= 7
    return host->OpenCurrentRenderer(view, kRenderTypeNormal, 0, 0);
#else
    return host->OpenCurrentRenderer(view);
#endif
}

// One frame at time t through the opened view.
inline int RenderFrame(HostInterface* host, TimeValue t, Bitmap* bitmap) {
#if HOSTSDK_API_GENERATION >= 7
    return host->CurrentRendererRenderFrame(t, bitmap, nullptr, 1.0f, nullptr, nullptr);
#else
    return host->CurrentRendererRenderFrame(t, bitmap, nullptr, 1.0f, nullptr);
#endif
}

// Closes the renderer when it leaves scope, exceptions included.
class OpenRenderer {
  public:
    explicit OpenRenderer(HostInterface* host) : host_(host) {}
    ~OpenRenderer() { host_->CloseCurrentRenderer(); }
    OpenRenderer(const OpenRenderer&) = delete;
    OpenRenderer& operator=(const OpenRenderer&) = delete;

  private:
    HostInterface* host_;
};

}  // namespace render
