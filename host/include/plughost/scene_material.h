#pragma once
// Materials and texture maps of the scene: the standard material, the multi-material with its
// sub-materials, a material of another class, bitmap textures and a procedural map.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "hostsdk/scene.h"

namespace plughost {

// A bitmap texture; its file name is kept exactly as the scene wrote it.
class BitmapTextureMap : public TextureMap {
  public:
    explicit BitmapTextureMap(std::string fileName) : fileName_(std::move(fileName)) {}
    ClassId ClassID() override { return kBitmapTextureClassId; }
    const char* GetMapName() override { return fileName_.c_str(); }

  private:
    std::string fileName_;
};

// A procedural map: no bitmap behind it.
class CheckerTextureMap : public TextureMap {
  public:
    ClassId ClassID() override { return kCheckerTextureClassId; }
    const char* GetMapName() override { return nullptr; }
};

enum class MaterialKind { Standard, Multi, Other };

class HostMaterial : public Material {
  public:
    // The standard material's number of map slots.
    static constexpr int kMapSlots = 12;

    explicit HostMaterial(MaterialKind kind) : kind_(kind) {}

    ClassId ClassID() override;
    int NumSubMaterials() override { return static_cast<int>(subMaterials_.size()); }
    Material* GetSubMaterial(int index) override;
    int NumSubTexmaps() override { return kMapSlots; }
    TextureMap* GetSubTexmap(int slot) override;
    float GetShininess(int, bool) override { return shininess_; }
    float GetShinStr(int, bool) override { return shininessStrength_; }
    float GetXParency(int, bool) override { return transparency_; }
    bool GetTwoSided() override { return twoSided_; }
    Point3 GetDiffuse() override { return diffuse_; }

    MaterialKind Kind() const { return kind_; }
    void SetMap(int slot, std::unique_ptr<TextureMap> map);
    void SetShininess(float v) { shininess_ = v; }
    void SetShininessStrength(float v) { shininessStrength_ = v; }
    void SetTransparency(float v) { transparency_ = v; }
    void SetTwoSided(bool v) { twoSided_ = v; }
    void SetDiffuse(const Point3& c) { diffuse_ = c; }
    // Null entries stand for empty sub-material slots.
    void AddSubMaterial(std::unique_ptr<HostMaterial> m) { subMaterials_.push_back(std::move(m)); }

  private:
    MaterialKind kind_;
    std::array<std::unique_ptr<TextureMap>, kMapSlots> maps_;
    std::vector<std::unique_ptr<HostMaterial>> subMaterials_;
    float shininess_ = 0.0f;
    float shininessStrength_ = 0.0f;
    float transparency_ = 0.0f;
    bool twoSided_ = false;
    Point3 diffuse_{0.8f, 0.8f, 0.8f};
};

}  // namespace plughost
