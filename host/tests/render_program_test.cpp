// plughost render end to end: the PNG it writes, its choice of camera and its faults.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <filesystem>

#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"

namespace fs = std::filesystem;
using support::testing::ProgramResult;

namespace {

class RenderProgram : public testing::Test {
  protected:
    ProgramResult Run(std::vector<std::string> arguments,
                      std::vector<std::pair<std::string, std::string>> environment = {}) const {
        arguments.insert(arguments.begin(), "render");
        return support::testing::RunProgram(
            {PLUGHOST_EXE, std::move(arguments), dir_.Path(), "", std::move(environment), ""});
    }

    support::testing::TempFolder dir_;
};

}  // namespace

// The sample scene's first camera as a 16-bit RGBA PNG of the asked size: the floor and the
// character are drawn, the sky above them is left transparent.
TEST_F(RenderProgram, WritesASixteenBitPngOfTheCamera) {
    const ProgramResult r = Run({SAMPLE_SCENE, "out.png", "--size", "160x120"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string png = dir_ / "out.png";
    EXPECT_TRUE(stbi_is_16_bit(png.c_str()));
    int width = 0, height = 0, channels = 0;
    stbi_us* pixels = stbi_load_16(png.c_str(), &width, &height, &channels, 4);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);
    EXPECT_EQ(channels, 4);
    EXPECT_EQ(pixels[3], 0) << "top left is sky";
    EXPECT_EQ(pixels[(119 * 160 + 80) * 4 + 3], 65535) << "bottom middle is floor";
    stbi_image_free(pixels);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"out.png"});
}

TEST_F(RenderProgram, CameraByNameAndFaults) {
    EXPECT_EQ(
        Run({SAMPLE_SCENE, "two.png", "--camera", "Camera02", "--size", "32x24", "--frame", "20"})
            .status,
        0);
    EXPECT_TRUE(fs::exists(dir_ / "two.png"));

    ProgramResult r = Run({SAMPLE_SCENE, "x.png", "--camera", "Body"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no camera named \"Body\""), std::string::npos) << r.err;
    r = Run({SAMPLE_SCENE, "x.png", "--size", "64by48"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--size"), std::string::npos) << r.err;
    EXPECT_EQ(Run({SAMPLE_SCENE, "x.png", "--size", "0x48"}).status, 2);
    EXPECT_EQ(Run({"missing.json", "x.png"}).status, 2);
    r = Run({SAMPLE_SCENE, "no/such/folder/x.png", "--size", "8x8"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no/such/folder/x.png: cannot create"), std::string::npos) << r.err;
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"two.png"});
}

// Without an OpenGL driver (here: EGL finds no vendor library) the renderer refuses to open
// with the reason, and the program fails cleanly.
TEST_F(RenderProgram, NoOpenGlIsAClearError) {
    const ProgramResult r = Run({SAMPLE_SCENE, "x.png", "--size", "8x8"},
                                {{"__EGL_VENDOR_LIBRARY_FILENAMES", "/nonexistent/vendor.json"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("plughost: renderer: no OpenGL: "), std::string::npos) << r.err;
    EXPECT_TRUE(dir_.Names().empty());
}
