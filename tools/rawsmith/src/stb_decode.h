#pragma once
// Decoding through stb_image, for the formats rawsmith does not decode itself.
#include <cstdint>
#include <span>
#include <string>

#include "rawsmith/image_readers.h"

namespace rawsmith {

struct StbDecoded {
    TrueColorImage image;  // empty when stb_image failed
    std::string failure;   // stb_image's reason when it failed; never empty then
    // stb_image asked for bytes past the end. It reads zeros there and may still succeed, so
    // this is the only sign of a truncated file.
    bool truncated = false;
};

// Decodes `header` followed by `body`, read as one file, into blue-green-red pixels. The
// header lets a caller hand stb_image a cleaned-up header in front of the file's own data.
StbDecoded DecodeWithStb(std::span<const uint8_t> header, std::span<const uint8_t> body);

}  // namespace rawsmith
