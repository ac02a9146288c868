// Both libraries loaded by plughost and run on the sample scene: what the host lists, that the
// two builds write the same files, that the palette images are the ones rawsmith makes from the
// kept Targa files, and the converter mode through batrun and rawsmith.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/testing/files.h"
#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"

namespace render_test {
namespace {

namespace fs = std::filesystem;
using support::testing::ProgramResult;
using support::testing::ReadBytes;
using support::testing::RunProgram;
using support::testing::TempFolder;
using ::testing::HasSubstr;
using ::testing::Not;

class LumenpassProgram : public testing::Test {
  protected:
    // plughost utility on the sample scene with the library `library` and the panel actions.
    ProgramResult Utility(const std::string& library, const std::string& actions,
                          const std::string& scene = SAMPLE_SCENE) {
        return RunProgram(
            {.program = PLUGHOST_EXE,
             .arguments = {"utility", "VTR Camera Renderer", scene, "--library", library,
                           "--plugins", PLUGIN_DIR, "--plugcfg", folder / "cfg", "--ui", actions},
             .folder = folder.Path(),
             .environment = {{"LUMENPASS_FAILURE_LOG", folder / "failures.log"}, {"COMSPEC", ""}},
             .pathPrefix = BIN_DIR});
    }
    std::string Folder(const std::string& name) {
        fs::create_directories(folder.Path() / name);
        return folder / name;
    }
    static std::vector<std::string> Names(const std::string& dir) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder;
};

TEST_F(LumenpassProgram, BothBuildsAreListedInOneHost) {
    const ProgramResult list =
        RunProgram({.program = PLUGHOST_EXE, .arguments = {"list", "--plugins", PLUGIN_DIR}});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("lumenpass.dlu\n  description: VTR Camera Renderer\n"
                                    "  version: 0x09C40500\n  classes: 1\n"
                                    "  class 0: VTR Camera Renderer\n    super class: 0x1020\n"
                                    "    class id: 0x1377534C, 0x19D12769\n    category: \n"));
    EXPECT_THAT(list.out, HasSubstr("lumenpass3.dlu\n  description: VTR Camera Renderer\n"
                                    "  version: 0x0BB80700\n"));
}

TEST_F(LumenpassProgram, LibraryThatIsNotThereIsAUsageError) {
    const ProgramResult run = Utility("lumenpass7.dlu", "click 1001");
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, HasSubstr("no utility class named \"VTR Camera Renderer\" in "
                                   "lumenpass7.dlu in "));
}

TEST_F(LumenpassProgram, BothBuildsWriteTheSamePaletteImagesAsRawsmith) {
    const std::string older = Folder("older"), newer = Folder("newer");
    for (const auto& [library, out] :
         {std::pair{"lumenpass.dlu", older}, {"lumenpass3.dlu", newer}}) {
        const ProgramResult run =
            Utility(library, "set 1005 " + out + "; check 1013 1; click 1001");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_THAT(run.err, Not(HasSubstr("Error:"))) << run.err;
    }
    const std::vector<std::string> expected = {"Camera01.act", "Camera01.raw", "Camera01.tga",
                                               "Camera02.act", "Camera02.raw", "Camera02.tga"};
    ASSERT_EQ(Names(older), expected);
    ASSERT_EQ(Names(newer), expected);
    for (const std::string& name : expected)
        EXPECT_EQ(ReadBytes(older + "/" + name), ReadBytes(newer + "/" + name)) << name;
    EXPECT_EQ(ReadBytes(older + "/Camera01.raw").size(), 640u * 480u);

    // rawsmith, given the Targa file the run kept, makes the same palette image.
    const std::string copy = Folder("rawsmith");
    for (const char* camera : {"Camera01", "Camera02"}) {
        fs::copy_file(older + "/" + camera + ".tga", copy + "/" + camera + ".tga");
        const ProgramResult rawsmith = RunProgram(
            {.program = RAWSMITH_EXE, .arguments = {"/q", copy + "/" + camera + ".tga"}});
        ASSERT_EQ(rawsmith.status, 0) << rawsmith.err;
        for (const char* ext : {".raw", ".act"})
            EXPECT_EQ(ReadBytes(copy + "/" + camera + ext), ReadBytes(older + "/" + camera + ext))
                << camera << ext;
    }
}

TEST_F(LumenpassProgram, ConverterModeRunsTheBatchThroughBatrunAndRawsmith) {
    const std::string own = Folder("own"), converted = Folder("converted");
    ASSERT_EQ(Utility("lumenpass.dlu", "set 1005 " + own + "; click 1001").status, 0);
    const ProgramResult run =
        Utility("lumenpass3.dlu", "set 1005 " + converted + "; click 1012; click 1001");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.err, HasSubstr("Running RAWSMITH"));
    // The batch deleted the Targa files and then itself.
    EXPECT_EQ(Names(converted), Names(own));
    for (const std::string& name : Names(own))
        EXPECT_EQ(ReadBytes(converted + "/" + name), ReadBytes(own + "/" + name)) << name;
    EXPECT_FALSE(fs::exists(folder / "$$TEMP$$.BAT"));
}

TEST_F(LumenpassProgram, PanningWritesSixFacesPerCamera) {
    const std::string out = Folder("panning");
    const ProgramResult run =
        Utility("lumenpass3.dlu", "set 1005 " + out + "; set 1018 64; click 1008; click 1001");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> names = Names(out);
    EXPECT_EQ(names.size(), 24u);
    EXPECT_EQ(ReadBytes(out + "/Camera02u.raw").size(), 64u * 64u);
}

TEST_F(LumenpassProgram, FailuresAreEchoedAndLogged) {
    support::testing::WriteFile(
        folder / "bad.json",
        R"({"root": {"children": [{"name": "Cam\\01", "object": {"type": "camera"}}]}})");
    const ProgramResult run = Utility("lumenpass.dlu", "click 1001", folder / "bad.json");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.err, HasSubstr("Error: Camera \"Cam\\\\01\" cannot name an image file"));
    EXPECT_THAT(support::testing::ReadFile(folder / "failures.log"),
                HasSubstr("Current camera name: \"Cam\\01\""));
}

}  // namespace
}  // namespace render_test
