// camweave end to end: command line, messages, exit statuses, camera records and rename batch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "camweave/command_line.h"
#include "run_camweave.h"

namespace camweave::testing {

namespace fs = std::filesystem;

namespace {

const char* const kScene =
    "LWSC\n1\n\nShowCamera 1 2\nCameraMotion (unnamed)\n  9\n  1\n  0 2 -5 0 0 0 1 1 1\n"
    "  0 0 0 0 0\nEndBehavior 1\nZoomFactor 3.2\nRenderMode 2\n";

std::string Entry(const std::string& name, double fovRadians, const std::string& rest = "0,0,0") {
    char fov[64];
    std::snprintf(fov, sizeof fov, "%.9g", fovRadians);
    return "\"" + name + "\",1,2,3," + rest + "," + fov;
}

std::string List(const std::vector<std::string>& entries) {
    std::string text =
        "cameras\n1\ncounts\n0, " + std::to_string(entries.size()) + "\nno lights\ncameras\n";
    for (const std::string& entry : entries) text += entry + "\n1\n2\n3\n4\n";
    return text;
}

double Degrees(double degrees) {
    return degrees * 3.14159265359 / 180;
}

class Camweave : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(folder / "scene.lws", kScene); }
    ProgramResult Run(const std::vector<std::string>& arguments) {
        return RunCamweaveIn(folder, arguments);
    }
    bool Exists(const std::string& name) { return fs::exists(folder / name); }

    // Runs the rename batch with batrun on numbered renders renders/shot0001.tga ("frame 1") to
    // `frames`, with a converter that notes each argument it gets in converted.txt.
    ProgramResult RunBatchOnRenders(int frames) {
        fs::create_directory(folder.Path() / "renders");
        fs::create_directory(folder.Path() / "bin");
        for (int frame = 1; frame <= frames; ++frame) {
            char name[32];
            std::snprintf(name, sizeof name, "renders/shot%04d.tga", frame);
            WriteFile(folder / name, "frame " + std::to_string(frame));
        }
        WriteFile(folder / "bin/rawsmith",
                  "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done >> converted.txt\n"
                  "echo >> converted.txt\n");
        fs::permissions(folder / "bin/rawsmith", fs::perms::owner_all);
        return support::testing::RunProgram({.program = BATRUN_PROGRAM,
                                             .arguments = {"scene_rename_cameras.bat"},
                                             .folder = folder.Path(),
                                             .pathPrefix = folder / "bin"});
    }

    TempFolder folder;
};

}  // namespace

TEST_F(Camweave, NoArgumentsPrintsTheUsage) {
    const ProgramResult result = Run({});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, kUsageText);
}

TEST_F(Camweave, CommandLineFaultsPrintTheirLineAndTheUsage) {
    const struct {
        std::vector<std::string> arguments;
        std::string line;
    } cases[] = {
        {{"scene", "/x"}, "Invalid switch: /x\n"},
        {{"scene", "/r"}, "Error parsing /r prefix\n"},
        {{"scene", "list", "extra"}, "Extra parm: extra\n"},
        {{"/p", "/t"}, ""},
    };
    for (const auto& c : cases) {
        const ProgramResult result = Run(c.arguments);
        EXPECT_EQ(result.status, 1) << c.line;
        EXPECT_EQ(result.out, c.line + kUsageText);
    }
    EXPECT_EQ(ReadFile(folder / "scene.lws"), kScene);
}

// "$$temp$$.lws" is the program's own working file: one left by an earlier run goes on every
// stop, the usage stop included. A folder of that name is not a file to delete.
TEST_F(Camweave, EveryStopDeletesAStaleWorkingFile) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"scene", "/x"}, {"scene", "missing.lc"}}) {
        WriteFile(folder / "$$temp$$.lws", "left by an earlier run");
        EXPECT_EQ(Run(arguments).status, 1);
        EXPECT_FALSE(Exists("$$temp$$.lws")) << arguments.size();
    }
    fs::create_directory(folder / "$$temp$$.lws");
    EXPECT_EQ(Run({}).status, 1);
    EXPECT_TRUE(fs::is_directory(folder / "$$temp$$.lws"));
}

TEST_F(Camweave, SingleArgumentReadsTheListBesideTheScene) {
    WriteFile(folder / "scene.lc", List({Entry("Lobby", 1.5708)}));
    const ProgramResult result = Run({"scene"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "Reading scene.lc...\n  Read 1 fixed cameras\nOutputing cameras to scene.lws...\n"
              "  Created 1 camera keyframes\nBacking up scene.lws to scene.bak...\nOK\n");
    EXPECT_EQ(ReadFile(folder / "scene.bak"), kScene);
    EXPECT_EQ(ReadFile(folder / "scene.lws"),
              "LWSC\r\n1\r\n\r\nShowCamera 1 2\r\nCameraMotion (unnamed)\r\n  9\r\n  2\r\n"
              "  0 2 -5 0 0 0 1 1 1\r\n  0 0 0 0 0\r\n"
              "  0.3048 0.6096 0.9144 0 0 0 1 1 1\r\n  1 0 0 0 0\r\n"
              "EndBehavior 1\r\n"
              "ZoomFactor (envelope)\r\n  1\r\n  2\r\n  1\r\n  0 0 0 0 0\r\n"
              "  1.33436\r\n  1 0 0 0 0\r\nEndBehavior 1\r\n"
              "RenderMode 2\r\n");
    EXPECT_FALSE(Exists("$$temp$$.lws"));
    EXPECT_FALSE(Exists("scene_rename_cameras.bat"));
}

TEST_F(Camweave, PanningSplitsOnlyCamerasWiderThan110Degrees) {
    // The widest field of view that still counts as 110 degrees, after the list's adjustment.
    const double limit = Degrees(110);
    float fov = static_cast<float>(limit);
    if (fov > limit) fov = std::nextafter(fov, 0.0f);
    const float above = std::nextafter(fov, 4.0f);
    const auto listValueFor = [](float wanted) {
        float value = static_cast<float>(wanted + 0.00077);
        while (static_cast<float>(value - 0.00077) < wanted) value = std::nextafter(value, 4.0f);
        while (static_cast<float>(value - 0.00077) > wanted) value = std::nextafter(value, 0.0f);
        return value;
    };
    WriteFile(
        folder / "scene.lc",
        List({Entry("At109", Degrees(109) + 0.00077), Entry("At110", listValueFor(fov)),
              Entry("Above110", listValueFor(above)), Entry("At111", Degrees(111) + 0.00077)}));
    const ProgramResult result = Run({"scene", "/P", "/rshot"});
    ASSERT_EQ(result.status, 0) << result.out;
    EXPECT_NE(result.out.find("  Read 2 fixed cameras\n  Read 2 panning cameras\n"),
              std::string::npos);
    const auto batch = Lines(ReadFile(folder / "scene_rename_cameras.bat"));
    ASSERT_EQ(batch.size(), 15u);
    EXPECT_EQ(batch[0], "ren shot0001.tga At109.tga");
    EXPECT_EQ(batch[1], "ren shot0002.tga At110.tga");
    EXPECT_EQ(batch[2], "ren shot0003.tga Above110N.tga");
    EXPECT_EQ(batch[8], "ren shot0009.tga At111N.tga");

    // Without /p a wide camera stays one fixed camera.
    WriteFile(folder / "scene.lws", kScene);
    EXPECT_NE(Run({"scene"}).out.find("  Read 4 fixed cameras\nOutputing cameras to scene.lws...\n"
                                      "  Created 4 camera keyframes\n"),
              std::string::npos);
}

TEST_F(Camweave, FixedCamerasComeBeforeTheSixViews) {
    WriteFile(folder / "scene.lc",
              List({Entry("A", 1.0, "0.1,0.2,0.3"), Entry("P", 2.5), Entry("B", 1.0)}));
    ASSERT_EQ(Run({"scene", "/p", "/rr\\shot", "/tp"}).status, 0);
    const std::vector<std::string> expected = {"ren r\\shot0001.tga A.tga",
                                               "rawsmith /q /p /m r\\A.tga",
                                               "ren r\\shot0002.tga B.tga",
                                               "rawsmith /q /p /m r\\B.tga",
                                               "ren r\\shot0003.tga PN.tga",
                                               "rawsmith /q /p /m r\\PN.tga",
                                               "ren r\\shot0004.tga PS.tga",
                                               "rawsmith /q /p /m r\\PS.tga",
                                               "ren r\\shot0005.tga PE.tga",
                                               "rawsmith /q /p /m r\\PE.tga",
                                               "ren r\\shot0006.tga PW.tga",
                                               "rawsmith /q /p /m r\\PW.tga",
                                               "ren r\\shot0007.tga PU.tga",
                                               "rawsmith /q /p /m r\\PU.tga",
                                               "ren r\\shot0008.tga PD.tga",
                                               "rawsmith /q /p /m r\\PD.tga",
                                               "pause"};
    const std::string batch = ReadFile(folder / "scene_rename_cameras.bat");
    EXPECT_EQ(Lines(batch), expected);
    EXPECT_EQ(batch.find('\n'), batch.find("\r\n") + 1);

    // Keys 3 to 8: heading, pitch and bank of N, S, E, W, U, D; the fixed cameras keep theirs.
    const auto scene = Lines(ReadFile(folder / "scene.lws"));
    const std::vector<std::string> keys(scene.begin() + 9, scene.begin() + 25);
    EXPECT_EQ(keys[0], "  0.3048 0.6096 0.9144 17.1887 5.72958 11.4592 1 1 1");
    const char* views[] = {"0 0 0", "180 0 0", "90 0 0", "-90 0 0", "0 -90 0", "0 90 0"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(keys[4 + 2 * i], std::string("  0.3048 0.6096 0.9144 ") + views[i] + " 1 1 1");
        EXPECT_EQ(keys[5 + 2 * i], "  " + std::to_string(3 + i) + " 0 0 0 0");
    }
}

TEST_F(Camweave, NoCamerasKeepsOnlyTheOldKey) {
    WriteFile(folder / "scene.lc", List({}));
    const ProgramResult result = Run({"scene", "/rshot"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "Reading scene.lc...\nOutputing cameras to scene.lws...\n  Created 0 camera "
              "keyframes\nGenerating batch file scene_rename_cameras.bat\nBacking up scene.lws "
              "to scene.bak...\nOK\n");
    EXPECT_EQ(ReadFile(folder / "scene.lws"),
              "LWSC\r\n1\r\n\r\nShowCamera 1 2\r\nCameraMotion (unnamed)\r\n  9\r\n  1\r\n"
              "  0 2 -5 0 0 0 1 1 1\r\n  0 0 0 0 0\r\nEndBehavior 1\r\n"
              "ZoomFactor (envelope)\r\n  1\r\n  1\r\n  1\r\n  0 0 0 0 0\r\nEndBehavior 1\r\n"
              "RenderMode 2\r\n");
    EXPECT_EQ(ReadFile(folder / "scene_rename_cameras.bat"), "pause\r\n");
}

TEST_F(Camweave, ConverterSwitches) {
    const struct {
        std::vector<std::string> switches;
        std::string converterLine;  // empty: none
    } cases[] = {
        {{"/t"}, "rawsmith /q Cam.tga"},
        {{"/T"}, "rawsmith /q Cam.tga"},
        {{"-t"}, "rawsmith /q Cam.tga"},
        {{"/tp"}, "rawsmith /q /p /m Cam.tga"},
        {{"/tP"}, "rawsmith /q /p /m Cam.tga"},
        {{"/tp", "/t"}, "rawsmith /q Cam.tga"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        WriteFile(folder / "scene.lws", kScene);
        WriteFile(folder / "scene.lc", List({Entry("Cam", 1.0)}));
        std::vector<std::string> arguments = c.switches;
        arguments.insert(arguments.end(), {"scene.lws", "scene", "-rshot"});
        ASSERT_EQ(Run(arguments).status, 0);
        std::vector<std::string> expected = {"ren shot0001.tga Cam.tga", c.converterLine, "pause"};
        if (c.converterLine.empty()) expected.erase(expected.begin() + 1);
        EXPECT_EQ(Lines(ReadFile(folder / "scene_rename_cameras.bat")), expected);
    }
    // Without /r there is no batch file, whatever /t says.
    fs::remove(folder / "scene_rename_cameras.bat");
    ASSERT_EQ(Run({"scene", "/t"}).status, 0);
    EXPECT_FALSE(Exists("scene_rename_cameras.bat"));
}

TEST_F(Camweave, ListErrorsLeaveTheSceneAlone) {
    const struct {
        std::string list;
        std::string message;
    } cases[] = {
        {"x\n2\ny\n0, 0\n", "scene.lc is version 2, I can only do version 1"},
        {"x\nversion one\n", "scene.lc is version -1, I can only do version 1"},
        {List({Entry("A", 1), "\"B\",1,2"}), "Error scanning scene.lc camera 1"},
        {List({Entry(std::string(100, 'n'), 1)}),
         "scene.lc camera 0: name longer than 99 characters"},
        {List({Entry("A", 1, "nan,0,0")}),
         "Error scanning scene.lc camera 0: a value is not a finite number"},
        {List({Entry("A", 1), Entry("B", 0)}),
         "Error scanning scene.lc camera 1: the field of view is not above 0"},
        {"x\n1\ny\n0, -5\n", "Error scanning scene.lc camera counts: a count below 0"},
    };
    for (const auto& c : cases) {
        WriteFile(folder / "scene.lc", c.list);
        const ProgramResult result = Run({"scene"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out.substr(result.out.find("\n\nERROR:\n")),
                  "\n\nERROR:\n" + c.message + "\n");
        EXPECT_EQ(ReadFile(folder / "scene.lws"), kScene);
        EXPECT_FALSE(Exists("scene.bak"));
    }
    const ProgramResult missing = Run({"scene", "other.lc"});
    EXPECT_EQ(missing.out, "\n\nERROR:\nCan't open other.lc\n");
}

TEST_F(Camweave, GeneratedBatchRenamesTheRendersWithBatrun) {
    WriteFile(folder / "scene.lc", List({Entry("Lobby", 1.0), Entry("Roof", 2.5)}));
    ASSERT_EQ(Run({"scene", "/p", "/rrenders\\shot", "/t"}).status, 0);
    const ProgramResult result = RunBatchOnRenders(7);
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_EQ(ReadFile(folder / "renders/Lobby.tga"), "frame 1");
    EXPECT_EQ(ReadFile(folder / "renders/RoofN.tga"), "frame 2");
    EXPECT_EQ(ReadFile(folder / "renders/RoofD.tga"), "frame 7");
    EXPECT_FALSE(Exists("renders/shot0001.tga"));
    EXPECT_EQ(Lines(ReadFile(folder / "converted.txt"))[1], "[/q][renders/RoofN.tga]");
}

// A name reaches the batch's command lines: one that cannot name a file, or names the file of
// another camera, stops the run before anything is written.
TEST_F(Camweave, NamesThatCannotNameTheirImageStopTheRun) {
    const struct {
        std::string list;
        std::string message;
    } cases[] = {
        {"x\n1\nx\n0, 1\nx\nx\n\"a\ntouch PWNED\nrem \",0,0,0,0,0,0,1\n",
         "scene.lc camera 0: the name \"a\\ntouch PWNED\\nrem \" cannot be a file name: it holds "
         "a line break"},
        {List({Entry("..\\..\\x", 1)}),
         "scene.lc camera 0: the name \"..\\\\..\\\\x\" cannot be a file name: it holds the "
         "character \\"},
        {List({Entry("Lobby", 1), Entry("lobby", 1)}),
         "scene.lc camera 1: the name \"lobby\" repeats the name of camera 0 (\"Lobby\"), case "
         "ignored"},
        {List({Entry("RoofN", 1), Entry("Roof", 2.5)}),
         "scene.lc camera 1: the view name \"RoofN\" repeats the name of camera 0 (\"RoofN\"), "
         "case ignored"},
    };
    for (const auto& c : cases) {
        WriteFile(folder / "scene.lc", c.list);
        WriteFile(folder / "scene_rename_cameras.bat", "earlier\r\n");
        const ProgramResult result = Run({"scene", "/p", "/rr\\", "/t"});
        EXPECT_EQ(result.status, 1) << c.message;
        EXPECT_EQ(result.out.substr(result.out.find("\n\nERROR:\n")),
                  "\n\nERROR:\n" + c.message + "\n");
        EXPECT_EQ(ReadFile(folder / "scene.lws"), kScene);
        EXPECT_EQ(ReadFile(folder / "scene_rename_cameras.bat"), "earlier\r\n");
        EXPECT_EQ(folder.Names(),
                  (std::vector<std::string>{"scene.lc", "scene.lws", "scene_rename_cameras.bat"}));
    }
    // Without /r the names name no file.
    EXPECT_EQ(Run({"scene", "/p"}).status, 0);
}

TEST_F(Camweave, SpecialNamesRenameTheirImagesUnderBatrun) {
    WriteFile(folder / "scene.lc", List({Entry("Lobby & Bar", 1), Entry("100% (final)", 1),
                                         Entry("a^b;c=d,e", 1), Entry("%PATH%", 1)}));
    ASSERT_EQ(Run({"scene", "/rrenders\\shot", "/t"}).status, 0);
    const std::vector<std::string> expected = {
        "ren renders\\shot0001.tga \"Lobby & Bar.tga\"",
        "rawsmith /q \"renders\\Lobby & Bar.tga\"",
        "ren renders\\shot0002.tga \"100%% (final).tga\"",
        "rawsmith /q \"renders\\100%% (final).tga\"",
        "ren renders\\shot0003.tga \"a^b;c=d,e.tga\"",
        "rawsmith /q \"renders\\a^b;c=d,e.tga\"",
        "ren renders\\shot0004.tga %%PATH%%.tga",
        "rawsmith /q renders\\%%PATH%%.tga",
        "pause",
    };
    EXPECT_EQ(Lines(ReadFile(folder / "scene_rename_cameras.bat")), expected);

    const ProgramResult result = RunBatchOnRenders(4);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFile(folder / "renders/Lobby & Bar.tga"), "frame 1");
    EXPECT_EQ(ReadFile(folder / "renders/100% (final).tga"), "frame 2");
    EXPECT_EQ(ReadFile(folder / "renders/a^b;c=d,e.tga"), "frame 3");
    EXPECT_EQ(ReadFile(folder / "renders/%PATH%.tga"), "frame 4");
    EXPECT_EQ(
        Lines(ReadFile(folder / "converted.txt")),
        (std::vector<std::string>{"[/q][renders/Lobby & Bar.tga]", "[/q][renders/100% (final).tga]",
                                  "[/q][renders/a^b;c=d,e.tga]", "[/q][renders/%PATH%.tga]"}));
}

// A disk that fills up while the batch is written: 300 long names make a batch of about 70 KB
// after a scene of about 25 KB; files are limited to 40 KB.
TEST_F(Camweave, AFullDiskLeavesTheEarlierBatchWhole) {
    std::vector<std::string> entries;
    for (int i = 0; i < 300; ++i) {
        entries.push_back(Entry(std::string(90, 'c') + std::to_string(1000 + i), 1));
    }
    WriteFile(folder / "scene.lc", List(entries));
    WriteFile(folder / "scene_rename_cameras.bat", "earlier\r\n");
    const ProgramResult result = support::testing::RunProgram(
        {.program = "/bin/bash",
         .arguments = {"-c", "trap '' XFSZ; ulimit -f 40; exec \"$0\" \"$@\"", CAMWEAVE_PROGRAM,
                       "scene", "/rshot", "/t"},
         .folder = folder.Path()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out.substr(result.out.find("\n\nERROR:\n")),
              "\n\nERROR:\nCan't write scene_rename_cameras.bat\n");
    EXPECT_EQ(ReadFile(folder / "scene_rename_cameras.bat"), "earlier\r\n");
    EXPECT_EQ(ReadFile(folder / "scene.lws"), kScene);
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"scene.lc", "scene.lws", "scene_rename_cameras.bat"}));
}

TEST_F(Camweave, AbsolutePathsAreFilesNotSwitches) {
    // The test folder's path may begin with "/t" or "/p", as /tmp does.
    WriteFile(folder / "scene.lc", List({Entry("Lobby", 1)}));
    const ProgramResult result = Run({folder / "scene", folder / "scene.lc", "/rshot"});
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_TRUE(Exists("scene_rename_cameras.bat"));
    EXPECT_TRUE(Exists("scene.bak"));

    const ProgramResult missing = Run({folder / "missing.lws"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "Invalid switch: " + (folder / "missing.lws") + "\n" + kUsageText);
}

TEST_F(Camweave, HelpVersionAndUnwritableOutput) {
    const ProgramResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, HelpText());
    const ProgramResult version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, VersionText());
    EXPECT_EQ(ReadFile(folder / "scene.lws"), kScene);

    // The run itself succeeds, but nobody could read what it said.
    WriteFile(folder / "scene.lc", List({Entry("Lobby", 1)}));
    const ProgramResult full = support::testing::RunProgram(
        {.program = "/bin/sh",
         .arguments = {"-c", "exec \"$0\" \"$@\" > /dev/full", CAMWEAVE_PROGRAM, "scene"},
         .folder = folder.Path()});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "camweave: cannot write standard output\n");
    EXPECT_EQ(Run({"--version"}).status, 0);
}

}  // namespace camweave::testing
