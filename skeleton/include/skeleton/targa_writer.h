#pragma once
// Conversion of a host bitmap into an uncompressed Targa file: 24 bits per pixel, or 32 when
// the alpha channel carries information (neither 0 nor 255 everywhere); top row first.
#include <cstdint>

namespace skeleton {

// A colour channel scaled to 0..255 (channel / 257) as a byte: 0 up to 0, 255 from 255 on,
// otherwise rounded half up.
std::uint8_t ToByte(float value);

// Loads `source` through TheManager and writes it to `target`; true when the whole file was
// written. Each failure is reported by its own message first. The file is written beside the
// target under a temporary name and renamed over it only when complete, so a failed conversion
// leaves an existing target (which may be the source image itself) as it was.
bool SaveAsTarga(const char* source, const char* target);

}  // namespace skeleton
