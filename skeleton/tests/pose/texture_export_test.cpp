#include "skeleton/texture_export.h"

#include <hostsdk/ui.h>

#include "pose_export_fixture.h"
#include "skeleton/output_location.h"
#include "skeleton/pose_messages.h"
#include "skeleton/targa_writer.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

namespace {

using Text = std::vector<std::string>;

// Converts one image directly, recording the messages.
class TargaTest : public ::testing::Test {
  protected:
    TargaTest() : bitmaps_(&manager_), installed_(&driver_) {}

    bool Save(const std::string& source, const std::string& target) {
        return SaveAsTarga(source.c_str(), target.c_str());
    }
    std::string Target() const { return dir_.File("out.tga"); }
    std::string Bytes() const { return ReadFile(Target()); }
    static int Byte(const std::string& bytes, std::size_t at) {
        return static_cast<unsigned char>(bytes.at(at));
    }

    TempFolder dir_;
    FakeBitmapManager manager_;
    ScopedBitmapManager bitmaps_;
    ScriptedUiDriver driver_ = ScriptFromText("");
    ScopedUiDriver installed_;
};

TEST_F(TargaTest, OpaqueImageGives24BitsTopRowFirst) {
    FakeBitmapManager::Image image = FakeBitmapManager::Plain(64, 32, {0, 0, 0, 65535});
    image.pixels[0] = {65535, 32896, 257, 65535};  // top left: red 255, green 128, blue 1
    manager_.images["in.png"] = image;
    ASSERT_TRUE(Save("in.png", Target()));
    const std::string bytes = Bytes();
    ASSERT_EQ(bytes.size(), 18u + 64 * 32 * 3);
    const std::string header = bytes.substr(0, 18);
    EXPECT_EQ(header, std::string("\0\0\2\0\0\0\0\0\0\0\0\0\x40\0\x20\0\x18\x20", 18));
    EXPECT_EQ(Byte(bytes, 18), 1);  // blue, green, red
    EXPECT_EQ(Byte(bytes, 19), 128);
    EXPECT_EQ(Byte(bytes, 20), 255);
    EXPECT_EQ(Byte(bytes, 21), 0);
    EXPECT_EQ(manager_.live, 0);
    EXPECT_TRUE(driver_.Messages().empty());
}

TEST_F(TargaTest, AlphaDecidesTheDepth) {
    // Alpha 0 everywhere carries no information either.
    manager_.images["clear.png"] = FakeBitmapManager::Plain(3, 2, {0, 0, 0, 0});
    ASSERT_TRUE(Save("clear.png", Target()));
    EXPECT_EQ(Bytes().size(), 18u + 3 * 2 * 3);
    EXPECT_EQ(Byte(Bytes(), 16), 24);

    // One transparent pixel among opaque ones: 32 bits, the alpha bytes as they are.
    FakeBitmapManager::Image holed = FakeBitmapManager::Plain(3, 2, {0, 0, 0, 65535});
    holed.pixels[4] = {0, 0, 0, 0};
    manager_.images["holed.png"] = holed;
    ASSERT_TRUE(Save("holed.png", Target()));
    const std::string bytes = Bytes();
    ASSERT_EQ(bytes.size(), 18u + 3 * 2 * 4);
    EXPECT_EQ(Byte(bytes, 16), 32);
    EXPECT_EQ(Byte(bytes, 17), 0x20);
    std::vector<int> alpha;
    for (std::size_t at = 18 + 3; at < bytes.size(); at += 4) alpha.push_back(Byte(bytes, at));
    EXPECT_EQ(alpha, (std::vector<int>{255, 255, 255, 255, 0, 255}));

    // A constant half alpha is information too.
    manager_.images["half.png"] = FakeBitmapManager::Plain(1, 1, {0, 0, 0, 32896});
    ASSERT_TRUE(Save("half.png", Target()));
    EXPECT_EQ(Bytes(), std::string("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\x20\x20\0\0\0\x80", 22));
}

TEST_F(TargaTest, ChannelValuesRoundToBytes) {
    FakeBitmapManager::Image image;
    image.width = 5;
    image.height = 1;
    for (std::uint16_t c : {65535, 0, 32896, 128, 129}) image.pixels.push_back({c, c, c, 65535});
    manager_.images["ramp.png"] = image;
    ASSERT_TRUE(Save("ramp.png", Target()));
    const std::string bytes = Bytes();
    std::vector<int> red;
    for (std::size_t at = 18 + 2; at < bytes.size(); at += 3) red.push_back(Byte(bytes, at));
    EXPECT_EQ(red, (std::vector<int>{255, 0, 128, 0, 1}));

    EXPECT_EQ(ToByte(-1.0f), 0);
    EXPECT_EQ(ToByte(0.4999f), 0);
    EXPECT_EQ(ToByte(0.5f), 1);
    EXPECT_EQ(ToByte(254.5f), 255);
    EXPECT_EQ(ToByte(300.0f), 255);
    EXPECT_EQ(ToByte(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST_F(TargaTest, EachFailureIsReportedAndReleasesTheBitmap) {
    EXPECT_FALSE(Save("missing.png", Target()));
    FakeBitmapManager::Image broken = FakeBitmapManager::Plain(2, 3, {0, 0, 0, 65535});
    broken.failingRow = 2;
    manager_.images["broken.png"] = broken;
    EXPECT_FALSE(Save("broken.png", Target()));
    manager_.images["fine.png"] = FakeBitmapManager::Plain(2, 2, {0, 0, 0, 65535});
    const std::string noFolder = dir_.File("no/such/folder/out.tga");
    EXPECT_FALSE(Save("fine.png", noFolder));
    // A width the header's 16 bits cannot hold is refused before anything is written.
    manager_.images["wide.png"] = FakeBitmapManager::Plain(65536, 0, {});
    EXPECT_FALSE(Save("wide.png", Target()));
    EXPECT_EQ(driver_.Messages(),
              (Text{"VTR Pose Exporter: Can't load missing.png",
                    "VTR Pose Exporter: Error getting pixels from broken.png",
                    "VTR Pose Exporter: Can't create " + noFolder,
                    "VTR Pose Exporter: wide.png is 65536 x 0 pixels, more than a Targa file "
                    "can hold"}));
    EXPECT_EQ(manager_.live, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));
}

TEST_F(TargaTest, FailedConversionKeepsTheFileItWouldReplace) {
    WriteFile(Target(), "the source image");
    FakeBitmapManager::Image broken = FakeBitmapManager::Plain(2, 3, {0, 0, 0, 65535});
    broken.failingRow = 1;
    manager_.images[Target()] = broken;
    EXPECT_FALSE(Save(Target(), Target()));
    EXPECT_EQ(Bytes(), "the source image");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ShowErrorTest, CutsAnOverlongMessageShort) {
    ScriptedUiDriver driver = ScriptFromText("");
    ScopedUiDriver installed(&driver);
    const std::string name(3000, 'n');
    ShowError("Can't load %s", name.c_str());
    ShowError("Error saving %s to %s", "a.png", "b.tga");
    ASSERT_EQ(driver.Messages().size(), 2u);
    EXPECT_EQ(driver.Messages()[0],
              "VTR Pose Exporter: Can't load " + name.substr(0, kMessageBufferSize - 1 - 11));
    EXPECT_EQ(driver.Messages()[1], "VTR Pose Exporter: Error saving a.png to b.tga");
}

TEST(TexturePathTest, TargetIsTheBaseNameInTheOutputDirectory) {
    const OutputLocation out = SplitOutputLocation("D:\\out\\pose.POS");
    EXPECT_EQ(out.drive, "D:");
    EXPECT_EQ(out.directory, "\\out\\");
    EXPECT_EQ(TextureTargetPath(out, "C:\\maps\\skin.bmp"), "D:\\out\\skin.tga");
    EXPECT_EQ(TextureTargetPath(out, "textures/hair.v2.png"), "D:\\out\\hair.v2.tga");
    EXPECT_EQ(TextureTargetPath(out, "C:noext"), "D:\\out\\noext.tga");
    EXPECT_EQ(TextureTargetPath(out, "maps\\"), "D:\\out\\.tga");
    EXPECT_EQ(TextureTargetPath(SplitOutputLocation("pose.POS"), "a/b.png"), "b.tga");
    EXPECT_EQ(TextureTargetPath(SplitOutputLocation("E:pose.POS"), "b.png"), "E:b.tga");
    EXPECT_EQ(TextureTargetPath(OutputLocation{"", "/tmp/x"}, "b.png"), "/tmp/x/b.tga");
}

// The texture step at the end of a whole export.
class TextureStepTest : public PoseExportTest {
  protected:
    // A scene whose two faces use the maps `map0` and `map1`.
    void LoadTwoMaps(const std::string& map0, const std::string& map1) {
        const std::string multi =
            "{\"type\": \"multi\", \"subMaterials\": [{\"type\": \"standard\", \"diffuseMap\": \"" +
            map0 + "\"}, {\"type\": \"standard\", \"diffuseMap\": \"" + map1 +
            "\", \"shininess\": 0.5}]}";
        LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique +
                            ", \"material\": " + multi));
        WriteSettings({}, 0, 1);
    }
};

TEST_F(TextureStepTest, ConvertsEveryEntryInTableOrder) {
    manager_.images["C:\\maps\\skin.png"] = FakeBitmapManager::Plain(4, 2, {0, 0, 0, 65535});
    manager_.images["hair.png"] = FakeBitmapManager::Plain(2, 2, {0, 0, 0, 100 * 257});
    LoadTwoMaps("C:\\\\maps\\\\skin.png", "hair.png");
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(manager_.loads, (Text{"C:\\maps\\skin.png", "hair.png"}));
    EXPECT_EQ(ReadFile(dir_.File("skin.tga")).size(), 18u + 4 * 2 * 3);
    EXPECT_EQ(ReadFile(dir_.File("hair.tga")).size(), 18u + 2 * 2 * 4);
    EXPECT_EQ(host_.PhaseTitles().back(), "Exporting textures");
    EXPECT_EQ(host_.PhasePercents("Exporting textures"), (std::vector<int>{0, 50}));
    EXPECT_EQ(manager_.live, 0);
}

TEST_F(TextureStepTest, MissingMapFailsTheExportAfterTwoMessages) {
    manager_.images["b.png"] = FakeBitmapManager::Plain(1, 1, {0, 0, 0, 65535});
    LoadTwoMaps("missing.png", "b.png");
    EXPECT_EQ(Export(), 0);
    const std::string target = dir_.File("missing.tga");
    EXPECT_EQ(messages_, (Text{"VTR Pose Exporter: Can't load missing.png",
                               "VTR Pose Exporter: Error saving missing.png to " + target}));
    // The complete .POS file goes too; later textures are not tried.
    EXPECT_FALSE(OutExists());
    EXPECT_EQ(manager_.loads, Text{"missing.png"});
}

// Two maps that would become one Targa file would leave the .POS file pointing two materials at
// one picture: the export stops before any Targa file is written.
TEST_F(TextureStepTest, TwoMapsForOneTargaFileStopTheExport) {
    manager_.images["one/skin.png"] = FakeBitmapManager::Plain(1, 1, {0, 0, 0, 65535});
    manager_.images["two\\Skin.bmp"] = FakeBitmapManager::Plain(3, 1, {0, 0, 0, 65535});
    LoadTwoMaps("one/skin.png", "two\\\\Skin.bmp");
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{"VTR Pose Exporter: The textures one/skin.png and two\\Skin.bmp "
                              "would both be saved as " +
                              dir_.File("Skin.tga")});
    EXPECT_TRUE(manager_.loads.empty());
    EXPECT_FALSE(std::filesystem::exists(dir_.File("skin.tga")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Skin.tga")));
    EXPECT_FALSE(OutExists());

    // One name in two entries (they differ in shininess) is the same picture: converted twice.
    messages_.clear();
    LoadTwoMaps("one/skin.png", "one/skin.png");
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(manager_.loads, (Text{"one/skin.png", "one/skin.png"}));
}

TEST_F(TextureStepTest, EmptyTableConvertsNothing) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique));
    WriteSettings({}, 0, 1);
    ASSERT_EQ(Export(), 1);
    EXPECT_TRUE(manager_.loads.empty());
    EXPECT_EQ(host_.PhaseTitles().back(), "Exporting textures");
}

TEST_F(TextureStepTest, TexturesAreLeftAloneUnlessAsked) {
    manager_.images["a.png"] = FakeBitmapManager::Plain(1, 1, {0, 0, 0, 65535});
    LoadTwoMaps("a.png", "a.png");
    WriteSettings({}, 0, 0);
    ASSERT_EQ(Export(), 1);
    EXPECT_TRUE(manager_.loads.empty());
    // The dialog's check box turns it on.
    ASSERT_EQ(Export("check 1014 1"), 1);
    EXPECT_EQ(manager_.loads.size(), 2u);
}

}  // namespace

}  // namespace skeleton
