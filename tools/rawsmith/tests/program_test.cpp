// The rawsmith program as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/testing/files.h"
#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"

namespace rawsmith {
namespace {

using support::testing::ProgramResult;
using support::testing::RunProgram;
using support::testing::TempFolder;

ProgramResult Shell(const std::string& command, const std::filesystem::path& folder) {
    return RunProgram({.program = "sh",
                       .arguments = {"-c", command},
                       .folder = folder,
                       .environment = {{"RAWSMITH", RAWSMITH_PROGRAM}}});
}

TEST(RawsmithProgram, ReportsAStandardOutputItCannotWrite) {
    const TempFolder folder;
    std::filesystem::copy_file(RAWSMITH_TEST_DATA_DIR "/golden/scene.tga", folder / "scene.tga");
    for (const std::string args : {"scene.tga", "--help", "--version"}) {
        const ProgramResult run = Shell("\"$RAWSMITH\" " + args + " >/dev/full", folder.Path());
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_EQ(run.err, "rawsmith: error: cannot write to standard output\n") << args;
    }
    EXPECT_EQ(Shell("\"$RAWSMITH\" /q scene.tga >/dev/full", folder.Path()).status, 0);
}

TEST(RawsmithProgram, ReadsRunLengthTargaAndPngAndSaysWhatElseItReads) {
    const TempFolder folder;
    for (const std::string name : {"scene-rle.tga", "scene.png"}) {
        std::filesystem::copy_file(RAWSMITH_TEST_DATA_DIR "/golden/" + name, folder / name);
        const ProgramResult run = RunProgram(
            {.program = RAWSMITH_PROGRAM, .arguments = {"/q", name}, .folder = folder.Path()});
        EXPECT_EQ(run.status, 0) << run.err;
    }
    support::testing::WriteFile(folder / "ascii.ppm", "P3\n1 1\n255\n0 0 0\n");
    const ProgramResult ascii = RunProgram(
        {.program = RAWSMITH_PROGRAM, .arguments = {"ascii.ppm"}, .folder = folder.Path()});
    EXPECT_EQ(ascii.status, 1);
    EXPECT_EQ(ascii.err,
              "rawsmith: error: ascii.ppm: ASCII PPM (P3) is not supported: rawsmith reads Targa "
              "(24 or 32 bits, uncompressed or run-length encoded), binary PPM (P6) and PNG "
              "files\n");
    const ProgramResult help = RunProgram({.program = RAWSMITH_PROGRAM, .arguments = {"--help"}});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("PNG"), std::string::npos);
}

}  // namespace
}  // namespace rawsmith
