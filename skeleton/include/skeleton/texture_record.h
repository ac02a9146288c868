#pragma once
// The texture description of one face of the skinned mesh, as the texture list of a .POS file
// tells textures apart.
#include <cstddef>
#include <string>

class Material;
class TextureMap;

namespace skeleton {

// Longest bitmap file name a record holds; a longer name counts as no bitmap.
inline constexpr std::size_t kMaxMapNameLength = 259;

struct TextureRecord {
    int valid = 0;  // 1 when the material has a diffuse bitmap; otherwise every field is zero
    float shininess = 0.0f;
    float shininessStrength = 0.0f;
    float transparency = 0.0f;
    std::string diffuseMap;  // at most kMaxMapNameLength characters each
    std::string bumpMap;
    std::string opacityMap;
    int twoSided = 0;  // nonzero for a standard material set to two-sided

    // Field by field, the reals by their bits: only identical materials share an entry, and a
    // record always equals itself (a NaN scalar too).
    bool operator==(const TextureRecord& other) const;
};

// The record of the material a face with material id `id` uses: sub-material `id` when the
// material has one there, otherwise the material itself. All zero when there is no material or
// it has no diffuse bitmap.
TextureRecord MakeTextureRecord(Material* material, int id);

// The bitmap file name of a bitmap texture, as the material holds it; empty for no map, a map of
// another kind, or a name longer than kMaxMapNameLength.
std::string MapFileName(TextureMap* map);

}  // namespace skeleton
