// The file's materials as standard materials.
#include <assimp/material.h>

#include <cmath>

#include "import_internal.h"

namespace plughost::import {

namespace {

// The first texture of a kind, as the file names it; textures stored inside the file ("*0")
// have no file name a bitmap manager could open, so they are left out with a warning.
bool TextureName(const aiMaterial& material, aiTextureType type, std::string& name,
                 std::vector<std::string>& warnings) {
    aiString path;
    if (material.GetTextureCount(type) == 0 ||
        material.GetTexture(type, 0, &path) != aiReturn_SUCCESS || path.length == 0)
        return false;
    if (path.C_Str()[0] == '*') {
        warnings.push_back("material " + Quoted(material.GetName()) +
                           ": a texture stored inside the file is left out");
        return false;
    }
    name = path.C_Str();
    return true;
}

// A float property, or nothing when the file has none or a non-finite one.
bool FiniteFloat(const aiMaterial& material, const char* key, unsigned type, unsigned index,
                 float& value) {
    float v = 0.0f;
    if (material.Get(key, type, index, v) != aiReturn_SUCCESS || !std::isfinite(v)) return false;
    value = v;
    return true;
}

}  // namespace

std::unique_ptr<HostMaterial> ConvertMaterial(const aiMaterial& material,
                                              std::vector<std::string>& warnings) {
    auto m = std::make_unique<HostMaterial>(MaterialKind::Standard);
    aiColor3D diffuse;
    if (material.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == aiReturn_SUCCESS &&
        std::isfinite(diffuse.r + diffuse.g + diffuse.b))
        m->SetDiffuse({diffuse.r, diffuse.g, diffuse.b});

    std::string name;
    if (TextureName(material, aiTextureType_DIFFUSE, name, warnings))
        m->SetMap(kMapDiffuse, std::make_unique<BitmapTextureMap>(name));
    // Formats put bump maps under height or under normals.
    if (TextureName(material, aiTextureType_HEIGHT, name, warnings) ||
        TextureName(material, aiTextureType_NORMALS, name, warnings))
        m->SetMap(kMapBump, std::make_unique<BitmapTextureMap>(name));
    if (TextureName(material, aiTextureType_OPACITY, name, warnings))
        m->SetMap(kMapOpacity, std::make_unique<BitmapTextureMap>(name));

    float v = 0.0f;
    if (FiniteFloat(material, AI_MATKEY_SHININESS, v)) m->SetShininess(v);
    if (FiniteFloat(material, AI_MATKEY_SHININESS_STRENGTH, v)) m->SetShininessStrength(v);
    if (FiniteFloat(material, AI_MATKEY_OPACITY, v)) m->SetTransparency(1.0f - v);
    int twoSided = 0;
    if (material.Get(AI_MATKEY_TWOSIDED, twoSided) == aiReturn_SUCCESS)
        m->SetTwoSided(twoSided != 0);
    return m;
}

}  // namespace plughost::import
