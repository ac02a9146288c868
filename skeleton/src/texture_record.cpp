#include "skeleton/texture_record.h"

#include <hostsdk/scene.h>

#include <bit>
#include <cstdint>

namespace skeleton {

namespace {
bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
}  // namespace

bool TextureRecord::operator==(const TextureRecord& other) const {
    return valid == other.valid && SameBits(shininess, other.shininess) &&
           SameBits(shininessStrength, other.shininessStrength) &&
           SameBits(transparency, other.transparency) && diffuseMap == other.diffuseMap &&
           bumpMap == other.bumpMap && opacityMap == other.opacityMap && twoSided == other.twoSided;
}

std::string MapFileName(TextureMap* map) {
    if (!map || !(map->ClassID() == kBitmapTextureClassId)) return {};
    const char* name = map->GetMapName();
    if (!name) return {};
    std::string text(name);
    if (text.size() > kMaxMapNameLength) return {};
    return text;
}

TextureRecord MakeTextureRecord(Material* material, int id) {
    TextureRecord record;
    if (!material) return record;
    // The id is not wrapped: an id past the sub-materials falls back to the material itself.
    if (id >= 0 && id < material->NumSubMaterials()) {
        if (Material* sub = material->GetSubMaterial(id)) material = sub;
    }
    record.diffuseMap = MapFileName(material->GetSubTexmap(kMapDiffuse));
    if (record.diffuseMap.empty()) return TextureRecord{};
    record.bumpMap = MapFileName(material->GetSubTexmap(kMapBump));
    record.opacityMap = MapFileName(material->GetSubTexmap(kMapOpacity));
    record.shininess = material->GetShininess(0, false);
    record.shininessStrength = material->GetShinStr(0, false);
    record.transparency = material->GetXParency(0, false);
    if (material->ClassID() == kStandardMaterialClassId)
        record.twoSided = material->GetTwoSided() ? 1 : 0;
    record.valid = 1;
    return record;
}

}  // namespace skeleton
