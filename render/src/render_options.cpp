#include "render/render_options.h"

namespace render {

bool ValidOutputSize(const RenderOptions& o) {
    // Widened so that twice a pad near the int limit cannot overflow.
    const long long x = o.outputSizeX, y = o.outputSizeY, px = o.padSizeX, py = o.padSizeY;
    return x >= 1 && y >= 1 && px >= 0 && py >= 0 && x > 2 * px && y > 2 * py &&
           x <= kMaxOutputWidth;
}

}  // namespace render
