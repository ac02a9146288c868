#pragma once
// A picture of a palette image, for a person to look at what the game will show.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "support/result.h"

namespace rawsmith {

// The palette image decoded as a reader of .raw/.act files decodes it (each index looked up in
// the red-green-blue palette, row 0 at the top) and encoded as a PNG file. `indices` holds
// width x height bytes.
support::Result<std::vector<uint8_t>> PalettePreviewPng(std::span<const uint8_t> indices,
                                                        const std::array<uint8_t, 768>& palette,
                                                        int width, int height);

}  // namespace rawsmith
