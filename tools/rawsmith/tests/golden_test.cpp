// The .raw/.act files of a small checked-in image, compared byte for byte with files made once
// and checked in beside this test.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "rawsmith/rawsmith_app.h"
#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace rawsmith {
namespace {

using support::testing::ReadBytes;
using support::testing::TempFolder;

const std::string kGolden = RAWSMITH_TEST_DATA_DIR "/golden";

// Converts a copy of the golden input named `input` with `switches` and checks both outputs
// against golden/EXPECTED.raw and golden/EXPECTED.act.
void ExpectGolden(const std::string& input, std::vector<std::string> switches,
                  const std::string& expected) {
    const TempFolder folder;
    const std::string copy = folder / input;
    std::filesystem::copy_file(kGolden + "/" + input, copy);
    switches.push_back(copy);
    std::ostringstream out, err;
    ASSERT_EQ(RunRawsmith(switches, out, err), 0) << err.str();
    const std::string stem = folder / std::filesystem::path(input).stem().string();
    EXPECT_EQ(ReadBytes(stem + ".raw"), ReadBytes(kGolden + "/" + expected + ".raw")) << input;
    EXPECT_EQ(ReadBytes(stem + ".act"), ReadBytes(kGolden + "/" + expected + ".act")) << input;
}

TEST(RawsmithGolden, ExactAndPreviewOutputs) {
    ExpectGolden("scene.tga", {"/q"}, "scene");
    ExpectGolden("scene.tga", {"/q", "/p", "/m"}, "preview");
}

// The same picture run-length encoded and as PNG (both written by ImageMagick) gives the same
// palette image.
TEST(RawsmithGolden, OtherFormatsOfTheSameImage) {
    ExpectGolden("scene-rle.tga", {"/q"}, "scene");
    ExpectGolden("scene.png", {"/q"}, "scene");
}

// The PNG preview shows each pixel in its palette entry's colour.
TEST(RawsmithGolden, PreviewIsThePaletteImageDecoded) {
    const TempFolder folder;
    std::filesystem::copy_file(kGolden + "/scene.tga", folder / "scene.tga");
    std::ostringstream out, err;
    ASSERT_EQ(RunRawsmith({"--png", folder / "look.png", folder / "scene.tga"}, out, err), 0)
        << err.str();
    EXPECT_EQ(out.str(), folder / "scene.raw" + ": 24 x 16 palette indices\n" +
                             folder / "scene.act" + ": 256 colours\n" + folder / "look.png" +
                             ": preview of the palette image\n");
    const auto raw = ReadBytes(kGolden + "/scene.raw");
    const auto act = ReadBytes(kGolden + "/scene.act");
    const auto png = ReadBytes(folder / "look.png");
    int width = 0, height = 0, components = 0;
    const std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
        stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height,
                              &components, 3),
        &stbi_image_free);
    ASSERT_TRUE(rgb);
    ASSERT_EQ(width * height, static_cast<int>(raw.size()));
    EXPECT_EQ(height, 16);
    for (std::size_t i = 0; i < raw.size() * 3; ++i)
        ASSERT_EQ(rgb.get()[i], act[raw[i / 3] * 3u + i % 3]) << i;
}

}  // namespace
}  // namespace rawsmith
