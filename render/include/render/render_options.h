#pragma once
// The options the render utility keeps from one use of the host to the next, and their limits.
#include <cstddef>
#include <string>

namespace render {

// Longest output folder the utility works with, and the longest path of any file it writes.
inline constexpr std::size_t kMaxPathLength = 259;
// Longest text of a size field of the panel.
inline constexpr std::size_t kMaxSizeTextLength = 19;
// Longest camera name, and the longest image file name made from it (name plus face suffix).
inline constexpr std::size_t kMaxCameraNameLength = 259;
inline constexpr std::size_t kMaxImageNameLength = 255;
// Widest image: the row buffers hold this many pixels.
inline constexpr int kMaxOutputWidth = 1600;

// The persisted fields, with the values they have before any settings file was read.
struct RenderOptions {
    std::string outputPath;  // folder of the images; empty: the current folder
    int outputRawActFiles = 1;
    int keep24BitTgas = 0;
    int useRawsmith = 0;
    int rawsmithPreviewMode = 0;
    int ignoreHiddenNodes = 0;
    int panningCamera = 0;
    int outputSizeX = 640;
    int outputSizeY = 480;
    int padSizeX = 0;
    int padSizeY = 0;

    bool operator==(const RenderOptions&) const = default;
};

// Whether a run may go on with these sizes: positive sizes, pads that leave at least one pixel
// on each axis, and a width the row buffers hold.
bool ValidOutputSize(const RenderOptions& options);

}  // namespace render
