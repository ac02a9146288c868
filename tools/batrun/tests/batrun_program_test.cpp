// batrun end to end: its command line, its exit status and its standard output.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/testing/files.h"
#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"

namespace batrun {
namespace {

using support::testing::ProgramResult;
using support::testing::RunProgram;
using support::testing::TempFolder;
using support::testing::WriteFile;

class Batrun : public ::testing::Test {
  protected:
    ProgramResult Run(const std::vector<std::string>& arguments) {
        return RunProgram(
            {.program = BATRUN_PROGRAM, .arguments = arguments, .folder = folder.Path()});
    }

    TempFolder folder;
};

TEST_F(Batrun, GoesOnAtEndOfInput) {
    WriteFile(folder / "run.bat", "@echo off\r\npause\r\necho done\r\n");
    const ProgramResult result = Run({"/c", "run.bat"});
    EXPECT_EQ(result.out, "Press any key to continue . . . \ndone\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(Batrun, HelpVersionAndUsage) {
    const ProgramResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: batrun [/c] FILE [PARAMETERS...]\n", 0), 0u);
    EXPECT_NE(help.out.find("Exit status"), std::string::npos);
    const ProgramResult version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("batrun ") + ASSETPIPE_VERSION + "\n");
    const ProgramResult usage = Run({});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_EQ(usage.err.rfind("Usage: batrun", 0), 0u);
}

TEST_F(Batrun, FailuresGiveAStatusAndAReason) {
    WriteFile(folder / "run.bat", "@echo off\r\nNOSUCHTOOL x\r\npause\r\n");
    const ProgramResult unknown = Run({"run.bat"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err,
              "'NOSUCHTOOL' is not recognized as an internal or external command,\n"
              "operable program or batch file.\n");

    std::filesystem::create_directory(folder / "batches");
    const ProgramResult directory = Run({"batches"});
    EXPECT_EQ(directory.status, 1);
    EXPECT_EQ(directory.err, "batrun: cannot run batches: is a folder\n");

    const ProgramResult missing = Run({"missing.bat"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("'missing.bat' is not recognized"), std::string::npos);
}

TEST_F(Batrun, UnwritableOutputFailsTheRun) {
    WriteFile(folder / "run.bat", "@echo off\r\necho hello\r\n");
    const ProgramResult result = RunProgram(
        {.program = "/bin/sh",
         .arguments = {"-c", "exec \"$0\" \"$@\" > /dev/full", BATRUN_PROGRAM, "run.bat"},
         .folder = folder.Path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "batrun: cannot write standard output\n");
}

}  // namespace
}  // namespace batrun
