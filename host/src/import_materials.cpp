// The file's materials as standard materials.
#include <assimp/material.h>

#include <cmath>

#include "import_internal.h"

namespace plughost::import {

namespace {

// The first texture of a kind, as the file names it; a texture stored inside the file ("*0")
// is named by the image file it is written out to.
bool TextureName(const aiMaterial& material, aiTextureType type, EmbeddedTextures& embedded,
                 std::string& name) {
    aiString path;
    if (material.GetTextureCount(type) == 0 ||
        material.GetTexture(type, 0, &path) != aiReturn_SUCCESS || path.length == 0)
        return false;
    name = path.C_Str();
    if (name[0] == '*') name = embedded.FileFor(name, "material " + Quoted(material.GetName()));
    return !name.empty();
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
                                              EmbeddedTextures& embedded) {
    auto m = std::make_unique<HostMaterial>(MaterialKind::Standard);
    aiColor3D diffuse;
    if (material.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == aiReturn_SUCCESS &&
        std::isfinite(diffuse.r + diffuse.g + diffuse.b))
        m->SetDiffuse({diffuse.r, diffuse.g, diffuse.b});

    std::string name;
    if (TextureName(material, aiTextureType_DIFFUSE, embedded, name))
        m->SetMap(kMapDiffuse, std::make_unique<BitmapTextureMap>(name));
    // Formats put bump maps under height or under normals.
    if (TextureName(material, aiTextureType_HEIGHT, embedded, name) ||
        TextureName(material, aiTextureType_NORMALS, embedded, name))
        m->SetMap(kMapBump, std::make_unique<BitmapTextureMap>(name));
    if (TextureName(material, aiTextureType_OPACITY, embedded, name))
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
