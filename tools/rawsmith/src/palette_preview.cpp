#include "rawsmith/palette_preview.h"

#include <stb_image_write.h>

#include <cassert>

namespace rawsmith {
namespace {

void Append(void* context, void* data, int size) {
    auto& out = *static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

}  // namespace

support::Result<std::vector<uint8_t>> PalettePreviewPng(std::span<const uint8_t> indices,
                                                        const std::array<uint8_t, 768>& palette,
                                                        int width, int height) {
    assert(indices.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<uint8_t> rgb(indices.size() * 3);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        for (std::size_t c = 0; c < 3; ++c) rgb[i * 3 + c] = palette[indices[i] * 3u + c];
    }
    std::vector<uint8_t> png;
    if (stbi_write_png_to_func(&Append, &png, width, height, 3, rgb.data(), width * 3) == 0) {
        return support::Result<std::vector<uint8_t>>::Fail("cannot encode the PNG preview");
    }
    return png;
}

}  // namespace rawsmith
