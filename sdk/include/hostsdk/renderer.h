#pragma once
// The host's current renderer as the plug-ins see it: view records, render types, regions and
// the progress callback. The calls themselves are part of HostInterface (host.h).
#include "hostsdk/api_generation.h"
#include "hostsdk/geometry.h"

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// A viewport of the host's user interface. Opening the renderer for a camera node takes an
// optional viewport; plughost has no viewports, so plug-ins pass null.
class Viewport;

// Projection types of a view record.
inline constexpr int kProjectionPerspective = 0;
inline constexpr int kProjectionParallel = 1;

// The view record of interface generation 5.
struct ViewParams5 {
    Matrix3 viewTM;      // current view: rows 0 to 2 the camera's axes, row 3 the eye position
    Matrix3 prevViewTM;  // the view of the previous frame
    int projection = kProjectionPerspective;
    float nearClip = 0.0f;  // clipping distances along the view direction
    float farClip = 0.0f;
    float zoom = 1.0f;
    float fov = 0.0f;  // horizontal field of view, radians
    float nearRange = 0.0f;
    float farRange = 0.0f;
};

// The view record of interface generation 7: generation 5's with a distance between the far
// clipping distance and the zoom.
struct ViewParams7 {
    Matrix3 viewTM;
    Matrix3 prevViewTM;
    int projection = kProjectionPerspective;
    float nearClip = 0.0f;
    float farClip = 0.0f;
    float distance = 0.0f;  // distance to the point the view turns about
    float zoom = 1.0f;
    float fov = 0.0f;
    float nearRange = 0.0f;
    float farRange = 0.0f;
};

#if HOSTSDK_API_GENERATION >= 7
using ViewParams = ViewParams7;
#else
using ViewParams = ViewParams5;
#endif

// Render types of interface generation 7's open. Only the normal type (the whole view) exists
// in plughost; others make the open fail.
using RenderType = int;
inline constexpr RenderType kRenderTypeNormal = 0;

// A rectangle of the bitmap in pixels (row 0 the top): columns left to right - 1, rows top to
// bottom - 1. Interface generation 7's render call takes one to draw only those pixels.
struct RenderRegion {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Progress of one frame's render. Progress returns kRenderContinue to go on, kRenderAbort to
// stop the frame, which then fails.
inline constexpr int kRenderContinue = 0;
inline constexpr int kRenderAbort = 1;

class RenderProgressCallback {
  public:
    virtual ~RenderProgressCallback() = default;
    virtual void SetTitle(const char* title) = 0;
    virtual int Progress(int done, int total) = 0;
};

#pragma GCC visibility pop
