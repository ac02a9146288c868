#pragma once
// Writes 16-bit RGBA pictures as PNG files.
#include <string>
#include <vector>

#include "hostsdk/bitmap.h"

namespace plughost {

// Writes width x height pixels (top row first, straight alpha) as a PNG of 16 bits per channel
// with alpha. The file appears only when it is complete: it is written beside the target under
// a temporary name and renamed. False with the reason, naming the file, on failure.
bool WritePng16(const std::string& path, int width, int height,
                const std::vector<BitmapPixel64>& pixels, std::string& error);

}  // namespace plughost
