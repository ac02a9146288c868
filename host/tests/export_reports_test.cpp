// plughost with the real export libraries: what it says and which status it returns when an
// export cannot be made, and how it keeps an earlier file when one is stopped.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/testing/files.h"
#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"

extern char** environ;

namespace plughost {
namespace {

namespace fs = std::filesystem;
using support::testing::ProgramResult;
using support::testing::ReadFile;
using support::testing::RunProgram;
using support::testing::TempFolder;
using support::testing::WriteFile;

constexpr const char* kScene = R"({"frameRate": 30, "range": [0, 4], "root": {"children": [
    {"name": "Bip01", "positionKeys": [[0, 0, 0, 0], [4, 12, 0, 0]]}]}})";

class ExportReports : public testing::Test {
  protected:
    void SetUp() override { WriteFile(folder / "scene.json", kScene); }

    ProgramResult Plughost(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(),
                         {"--plugins", PLUGIN_DIR, "--plugcfg", folder / "plugcfg"});
        return RunProgram(
            {.program = PLUGHOST_EXE, .arguments = arguments, .folder = folder.Path()});
    }

    TempFolder folder;
};

TEST_F(ExportReports, ARefusedOkIsAFailureThatSaysWhy) {
    for (const char* scale : {"nan", "inf", "-1"}) {
        const ProgramResult r =
            Plughost({"export", "scene.json", "out.BON", "--rules", "+*", "--scale", scale});
        EXPECT_EQ(r.status, 1) << scale;
        EXPECT_NE(r.err.find("plughost: the options dialog refused OK: The scale factor must be"),
                  std::string::npos)
            << r.err;
        EXPECT_FALSE(fs::exists(folder / "out.BON"));
    }
    // A rule editor that refuses its OK is reported; the export itself goes on.
    const ProgramResult nested = Plughost({"export", "scene.json", "out.BON", "--ui",
                                           "click 1043; set 1047 " + std::string(99, 'w')});
    EXPECT_EQ(nested.status, 0) << nested.err;
    EXPECT_NE(nested.err.find("warning: the \"Add Rule\" dialog refused OK: The wildcard is too"),
              std::string::npos)
        << nested.err;
}

TEST_F(ExportReports, WriteFailuresNameTheirReason) {
    fs::create_directory(folder / "taken.BON");
    const struct {
        std::string output, reason;
    } cases[] = {
        {"missing/out.BON", "its folder missing does not exist"},
        {"taken.BON", "it is a folder"},
    };
    for (const auto& c : cases) {
        const ProgramResult r = Plughost({"export", "scene.json", c.output, "--rules", "+*"});
        EXPECT_EQ(r.status, 1) << c.output;
        EXPECT_NE(r.err.find("(the exporter returned 0): " + c.reason), std::string::npos) << r.err;
    }
}

TEST_F(ExportReports, CommandLineTimesAreRefusedNotClamped) {
    for (const std::vector<std::string>& times : {std::vector<std::string>{"--frame", "nan"},
                                                  {"--frame", "inf"},
                                                  {"--frame", "1e30"},
                                                  {"--range", "0:1e12"},
                                                  {"--range", "-1e12:0"}}) {
        const ProgramResult r =
            Plughost({"export", "scene.json", "out.BON", "--rules", "+*", times[0], times[1]});
        EXPECT_EQ(r.status, 2) << times[1];
        EXPECT_NE(r.err.find(times[0] + ": frame out of range"), std::string::npos) << r.err;
    }
    const ProgramResult outside =
        Plughost({"export", "scene.json", "out.BON", "--rules", "+*", "--frame", "99999"});
    EXPECT_EQ(outside.status, 0) << outside.err;
    EXPECT_NE(outside.err.find("warning: --frame 99999 lies outside the animation range"),
              std::string::npos);
}

TEST_F(ExportReports, AListThatCannotBeWrittenIsAFailure) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const ProgramResult r =
        RunProgram({.program = "/bin/sh",
                    .arguments = {"-c", std::string("'") + PLUGHOST_EXE + "' list --plugins '" +
                                            PLUGIN_DIR + "' >/dev/full"}});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("cannot write the list to standard output"), std::string::npos) << r.err;
}

// A long export stopped by SIGTERM or SIGHUP cleans up as a cancel does: no half-written file,
// and the earlier file of that name as it was.
TEST_F(ExportReports, TerminationCancelsAndKeepsTheEarlierFile) {
    std::string bones;
    for (int i = 0; i < 60; ++i)
        bones += std::string(i ? "," : "") + R"({"name": "Bip)" + std::to_string(i) +
                 R"(", "rotationKeys": [[0, 0, 0, 0, 1], [100000, 0, 1, 0, 0]]})";
    WriteFile(folder / "long.json",
              R"({"frameRate": 30, "range": [0, 100000], "root": {"children": [)" + bones + "]}}");
    for (int signal : {SIGTERM, SIGHUP}) {
        WriteFile(folder / "long.BON", "earlier export");
        const std::string plugcfg = folder / "plugcfg";
        std::vector<std::string> args{PLUGHOST_EXE, "export", "long.json", "long.BON",
                                      "--rules",    "+*",     "--plugins", PLUGIN_DIR,
                                      "--plugcfg",  plugcfg};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.Path().c_str());
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, PLUGHOST_EXE, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        // Wait until the export is writing, then stop it.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        bool writing = false;
        while (!writing && std::chrono::steady_clock::now() < deadline) {
            for (const auto& entry : fs::directory_iterator(folder.Path()))
                writing = writing || entry.path().extension() == ".part";
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_TRUE(writing) << "the export never started writing";
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status)) << signal;
        EXPECT_EQ(WEXITSTATUS(status), 1) << signal;
        EXPECT_EQ(ReadFile(folder / "long.BON"), "earlier export") << signal;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            EXPECT_NE(entry.path().extension(), ".part") << entry.path();
    }
}

}  // namespace
}  // namespace plughost
