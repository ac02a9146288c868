#include "skeleton/texture_record.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plughost/scene_material.h"
#include "skeleton/texture_table.h"

namespace skeleton {

namespace {

using plughost::BitmapTextureMap;
using plughost::HostMaterial;
using plughost::MaterialKind;

std::unique_ptr<HostMaterial> WithDiffuse(MaterialKind kind, const std::string& name) {
    auto material = std::make_unique<HostMaterial>(kind);
    material->SetMap(kMapDiffuse, std::make_unique<BitmapTextureMap>(name));
    return material;
}

TEST(TextureRecordTest, MapNamesOf260CharactersCountAsNoBitmap) {
    const std::string longest(259, 'a');
    BitmapTextureMap fits(longest), tooLong(longest + "b");
    EXPECT_EQ(MapFileName(&fits), longest);
    EXPECT_EQ(MapFileName(&tooLong), "");
    EXPECT_EQ(MapFileName(nullptr), "");
    plughost::CheckerTextureMap checker;
    EXPECT_EQ(MapFileName(&checker), "");

    auto material = WithDiffuse(MaterialKind::Standard, longest + "b");
    EXPECT_EQ(MakeTextureRecord(material.get(), 0), TextureRecord{});
    TextureTable table;
    EXPECT_EQ(AddTexture(table, MakeTextureRecord(material.get(), 0)), -1);
    EXPECT_EQ(table.Count(), 0);
}

TEST(TextureRecordTest, RecordTakesMapsScalarsAndTheStandardTwoSidedFlag) {
    auto standard = WithDiffuse(MaterialKind::Standard, "d.png");
    standard->SetMap(kMapBump, std::make_unique<BitmapTextureMap>("b.png"));
    standard->SetMap(kMapOpacity, std::make_unique<BitmapTextureMap>("o.png"));
    standard->SetShininess(0.25f);
    standard->SetShininessStrength(0.5f);
    standard->SetTransparency(0.75f);
    standard->SetTwoSided(true);
    const TextureRecord record = MakeTextureRecord(standard.get(), 7);
    EXPECT_EQ(record.valid, 1);
    EXPECT_EQ(record.diffuseMap, "d.png");
    EXPECT_EQ(record.bumpMap, "b.png");
    EXPECT_EQ(record.opacityMap, "o.png");
    EXPECT_EQ(record.shininess, 0.25f);
    EXPECT_EQ(record.shininessStrength, 0.5f);
    EXPECT_EQ(record.transparency, 0.75f);
    EXPECT_EQ(record.twoSided, 1);

    // Only the standard material's two-sided setting counts.
    auto other = WithDiffuse(MaterialKind::Other, "d.png");
    other->SetTwoSided(true);
    EXPECT_EQ(MakeTextureRecord(other.get(), 0).twoSided, 0);
    EXPECT_EQ(MakeTextureRecord(nullptr, 0), TextureRecord{});
}

TEST(TextureRecordTest, RecordWithANanScalarIsListedOnce) {
    TextureTable table;
    TextureRecord record;
    record.valid = 1;
    record.diffuseMap = "a.png";
    record.shininess = std::nanf("");
    EXPECT_EQ(table.Add(record), 0);
    EXPECT_EQ(table.Add(record), 0);
    EXPECT_EQ(table.Find(TextureRecord{}), -1);
}

}  // namespace

}  // namespace skeleton
