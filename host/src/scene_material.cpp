#include "plughost/scene_material.h"

namespace plughost {

ClassId HostMaterial::ClassID() {
    switch (kind_) {
        case MaterialKind::Standard:
            return kStandardMaterialClassId;
        case MaterialKind::Multi:
            return kMultiMaterialClassId;
        case MaterialKind::Other:
            break;
    }
    return kOtherMaterialClassId;
}

Material* HostMaterial::GetSubMaterial(int index) {
    if (index < 0 || index >= NumSubMaterials()) return nullptr;
    return subMaterials_[static_cast<size_t>(index)].get();
}

TextureMap* HostMaterial::GetSubTexmap(int slot) {
    if (slot < 0 || slot >= kMapSlots) return nullptr;
    return maps_[static_cast<size_t>(slot)].get();
}

void HostMaterial::SetMap(int slot, std::unique_ptr<TextureMap> map) {
    if (slot >= 0 && slot < kMapSlots) maps_[static_cast<size_t>(slot)] = std::move(map);
}

}  // namespace plughost
