#include "batrun/batch_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "support/testing/files.h"
#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"

namespace batrun {
namespace {

namespace fs = std::filesystem;
using support::testing::ReadFile;
using support::testing::TempFolder;
using support::testing::WriteFile;

// A fresh folder that is the current directory for the length of a test.
class BatchRunnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(folder_.Path());
    }
    void TearDown() override { fs::current_path(previous_); }

    static void Write(const std::string& path, const std::string& text) { WriteFile(path, text); }
    static std::string Read(const std::string& path) { return ReadFile(path); }
    int Run(const std::string& batch) {
        Write("run.bat", batch);
        BatchRunner runner(
            out, err, [this] { ++pauses; }, (folder_.Path() / "bin").string());
        return runner.RunFile("run.bat", {});
    }

    TempFolder folder_;
    fs::path previous_;
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
    EXPECT_EQ(status, 1);  // 9009, the interpreter's code for it, is no exit status
    Run("@echo off\nrawsmith.EXE x\n");
    EXPECT_EQ(Read("ran.txt"), "x\n");
}

// The batch goes on after a failing line, and its exit status tells that one failed.
TEST_F(BatchRunnerTest, ExitStatusIsTheLastFailure) {
    fs::create_directory("bin");
    Write("bin/fails", "#!/bin/sh\nexit $1\n");
    fs::permissions("bin/fails", fs::perms::owner_all);
    EXPECT_EQ(Run("@echo off\nfails 0\necho ok\n"), 0);
    EXPECT_EQ(Run("@echo off\nfails 3\nren missing.tga x.tga\nfails 5\necho done\npause\n"), 5);
    EXPECT_EQ(Run("@echo off\nfails 3\nNOSUCHTOOL\npause\n"), 1);
    EXPECT_EQ(out.str(),
              "ok\ndone\nPress any key to continue . . . \n"
              "Press any key to continue . . . \n");

    BatchRunner runner(
        out, err, [] {}, (folder_.Path() / "bin").string());
    EXPECT_EQ(runner.RunLine("NOSUCHTOOL x"), kProgramNotFound);
}

// What camweave writes for names with blanks, special characters and percent signs.
TEST_F(BatchRunnerTest, QuotedNamesAndDoubledPercents) {
    Write("shot0001.tga", "1");
    Write("shot0002.tga", "2");
    Write("shot0003.tga", "3");
    const int status =
        Run("@echo off\r\nren shot0001.tga \"Lobby & Bar (2).tga\"\r\n"
            "ren \"shot0002.tga\" \"100%% a^b;c=d,e.tga\"\r\nren shot0003.tga %%PATH%%.tga\r\n");
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(Read("Lobby & Bar (2).tga"), "1");
    EXPECT_EQ(Read("100% a^b;c=d,e.tga"), "2");
    EXPECT_EQ(Read("%PATH%.tga"), "3");
}

// Unquoted, the interpreter reads those characters otherwise: batrun refuses what it would run
// differently.
TEST_F(BatchRunnerTest, UnquotedSpecialCharactersAreNotOneName) {
    Write("shot0001.tga", "1");
    const int status =
        Run("@echo off\nren shot0001.tga Lobby & echo PWNED\nren shot0001.tga a=b.tga\n"
            "echo x > out.txt\nrem a & b\necho \"a & b\"\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Read("shot0001.tga"), "1");
    EXPECT_FALSE(fs::exists("out.txt"));
    EXPECT_EQ(out.str(), "\"a & b\"\n");
    EXPECT_EQ(err.str(),
              "batrun: cannot run a line with '&' outside quotes: command chains, pipes and "
              "redirection are not supported\n"
              "The syntax of the command is incorrect.\n"
              "batrun: cannot run a line with '>' outside quotes: command chains, pipes and "
              "redirection are not supported\n");
}

// A rename the system refuses says why, not that the name is taken.
TEST_F(BatchRunnerTest, RenameFailuresGiveTheirReason) {
    Write("shot0001.tga", "1");
    const std::string longName(300, 'n');
    EXPECT_EQ(Run("@echo off\nren shot0001.tga " + longName +
                  ".tga\nren shot0001.tga a?.tga\n"
                  "pause\n"),
              1);
    EXPECT_EQ(err.str(),
              "File name too long.\n"
              "The filename, directory name, or volume label syntax is incorrect.\n");
    EXPECT_EQ(Read("shot0001.tga"), "1");
}

// A folder the rename may not change: read-only, or for root (whom permissions do not bind)
// immutable, where the file system allows that.
class LockedFolder {
  public:
    explicit LockedFolder(const std::string& path) : path_(path) {
        fs::create_directory(path_);
        WriteFile(path_ + "/shot0001.tga", "1");
        if (geteuid() != 0) {
            fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec);
            locked_ = true;
        } else {
            locked_ = Chattr("+i");
        }
    }
    ~LockedFolder() {
        if (geteuid() == 0 && locked_) Chattr("-i");
    }
    bool Locked() const { return locked_; }

  private:
    bool Chattr(const std::string& change) const {
        return support::testing::RunProgram({.program = "chattr", .arguments = {change, path_}})
                   .status == 0;
    }
    std::string path_;
    bool locked_ = false;
};

TEST_F(BatchRunnerTest, RenameInALockedFolderIsDenied) {
    const LockedFolder locked("locked");
    if (!locked.Locked()) GTEST_SKIP() << "cannot lock a folder here";
    EXPECT_EQ(Run("@echo off\nren locked\\shot0001.tga Lobby.tga\npause\n"), 1);
    EXPECT_EQ(err.str(), "Access is denied.\n");
    EXPECT_EQ(Read("locked/shot0001.tga"), "1");
}

}  // namespace batrun
