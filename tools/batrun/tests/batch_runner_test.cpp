#include "batch_runner.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A fresh folder that is the current directory for the length of a test.
class BatchRunnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "batrun-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int Run(const std::string& batch) {
        Write("run.bat", batch);
        BatchRunner runner(
            out, err, [this] { ++pauses; }, (folder_ / "bin").string());
        return runner.RunFile("run.bat", {});
    }

    fs::path folder_, previous_;
    std::ostringstream out, err;
    int pauses = 0;
};

}  // namespace

TEST_F(BatchRunnerTest, EchoesCommandsUntilEchoOff) {
    Run("rem first\r\n@echo shown\r\n@echo off\r\necho  two  words\r\necho.\r\necho\r\n:label\r\n");
    EXPECT_EQ(out.str(), "\n" + fs::current_path().string() +
                             ">rem first\nshown\n two  words\n\n"
                             "ECHO is off.\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(BatchRunnerTest, RenameStaysInTheSourceFolder) {
    fs::create_directory("renders");
    Write("renders/shot0001.tga", "1");
    Write("renders/shot0002.tga", "2");
    Write("renders/Taken.tga", "t");
    const int status =
        Run("@echo off\nren renders\\shot0001.tga Lobby.tga\nren renders/shot0002.tga Taken.tga\n"
            "ren renders/shot0002.tga sub\\x.tga\nren renders/missing.tga x.tga\nren one\n");
    EXPECT_EQ(Read("renders/Lobby.tga"), "1");
    EXPECT_EQ(Read("renders/Taken.tga"), "t");
    EXPECT_EQ(Read("renders/shot0002.tga"), "2");
    EXPECT_EQ(err.str(),
              "A duplicate file name exists, or the file cannot be found.\n"
              "The syntax of the command is incorrect.\n"
              "The system cannot find the file specified.\n"
              "The syntax of the command is incorrect.\n");
    EXPECT_EQ(status, 1);
}

TEST_F(BatchRunnerTest, DeleteReportsMissingFilesAndGoesOn) {
    Write("a.tga", "a");
    Run("@echo off\ndel /q a.tga\ndel gone.tga\necho still here\n");
    EXPECT_FALSE(fs::exists("a.tga"));
    EXPECT_EQ(err.str(), "Could Not Find gone.tga\n");
    EXPECT_EQ(out.str(), "still here\n");

    // Switches with a value are skipped; an absolute path here also starts with '/'.
    Write("b.tga", "b");
    Write("c.tga", "c");
    Run("@echo off\ndel /F /A:H b.tga " + (fs::current_path() / "c.tga").string() + "\n");
    EXPECT_FALSE(fs::exists("b.tga"));
    EXPECT_FALSE(fs::exists("c.tga"));
    EXPECT_EQ(err.str(), "Could Not Find gone.tga\n");
}

TEST_F(BatchRunnerTest, PauseWaitsOnce) {
    Run("@echo off\npause\n");
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(out.str(), "Press any key to continue . . . \n");
}

TEST_F(BatchRunnerTest, ProgramsAreFoundCaseInsensitively) {
    fs::create_directory("bin");
    Write("bin/rawsmith", "#!/bin/sh\necho \"$@\" > ran.txt\nexit 3\n");
    fs::permissions("bin/rawsmith", fs::perms::owner_all);
    const int status = Run("@echo off\nRAWSMITH /q c:\\out\\Cam.tga\nNOSUCHTOOL x\n");
    EXPECT_EQ(Read("ran.txt"), "/q c:/out/Cam.tga\n");
    EXPECT_EQ(err.str(),
              "'NOSUCHTOOL' is not recognized as an internal or external command,\n"
              "operable program or batch file.\n");
    EXPECT_EQ(status, 9009);
    Run("@echo off\nrawsmith.EXE x\n");
    EXPECT_EQ(Read("ran.txt"), "x\n");
}

TEST_F(BatchRunnerTest, ProgramGoesOnAtEndOfInput) {
    Write("run.bat", "@echo off\r\npause\r\necho done\r\n");
    const std::string command = std::string(BATRUN_PROGRAM) + " /c run.bat </dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[256] = {};
    const std::size_t got = fread(buffer, 1, sizeof buffer - 1, pipe);
    const int status = pclose(pipe);
    EXPECT_EQ(std::string(buffer, got), "Press any key to continue . . . \ndone\n");
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
