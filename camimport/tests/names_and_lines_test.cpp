// The small pure pieces: reals, file names, the command line, the rename batch lines.
#include <gtest/gtest.h>

#include <limits>

#include "command_line.h"
#include "file_names.h"
#include "real_format.h"
#include "rename_batch.h"

TEST(FormatReal, ExponentsHaveThreeDigits) {
    EXPECT_EQ(FormatReal(1e6), "1e+006");
    EXPECT_EQ(FormatReal(1e-5), "1e-005");
    EXPECT_EQ(FormatReal(-2.5e-12), "-2.5e-012");
    EXPECT_EQ(FormatReal(1e100), "1e+100");
    EXPECT_EQ(FormatReal(123456), "123456");
    EXPECT_EQ(FormatReal(0.0001), "0.0001");
    EXPECT_EQ(FormatReal(-0.0), "-0");
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::infinity()), "inf");
}

TEST(FileNames, SplitsDriveFolderBaseAndExtension) {
    const PathParts parts = SplitPath("c:\\scenes/v1.2\\lobby.final.lws");
    EXPECT_EQ(parts.drive, "c:");
    EXPECT_EQ(parts.folder, "\\scenes/v1.2\\");
    EXPECT_EQ(parts.base, "lobby.final");
    EXPECT_EQ(parts.extension, ".lws");
    EXPECT_EQ(SplitPath("v1.2/lobby").extension, "");
    EXPECT_EQ(DriveAndFolder("c:\\renders\\shot"), "c:\\renders\\");
    EXPECT_EQ(DriveAndFolder("shot"), "");
}

TEST(FileNames, DerivesTheRunsNames) {
    const RunFileNames plain = DeriveFileNames("c:\\scenes\\lobby", "");
    EXPECT_EQ(plain.lws, "c:\\scenes\\lobby.lws");
    EXPECT_EQ(plain.lc, "c:\\scenes\\lobby.lc");
    EXPECT_EQ(plain.backup, "c:\\scenes\\lobby.bak");
    EXPECT_EQ(plain.batch, "c:\\scenes\\lobby_rename_cameras.bat");

    EXPECT_EQ(DeriveFileNames("a/scene.LWS", "lists/cams").lc, "lists/cams.lc");
    EXPECT_EQ(DeriveFileNames("a/scene.LWS", "lists/cams.txt").lc, "lists/cams.txt");
    EXPECT_EQ(DeriveFileNames("a/scene.LWS", "").lws, "a/scene.LWS");
}

TEST(CommandLine, SwitchesInAnyOrderLaterOnesWin) {
    const ParsedCommandLine parsed =
        ParseCommandLine({"/TP", "scene", "-P", "/r  c:\\out\\shot extra", "list", "-t"});
    ASSERT_TRUE(parsed.settings);
    EXPECT_EQ(parsed.settings->lwsArgument, "scene");
    EXPECT_EQ(parsed.settings->lcArgument, "list");
    EXPECT_TRUE(parsed.settings->panning);
    EXPECT_EQ(parsed.settings->renamePrefix, "c:\\out\\shot");
    EXPECT_EQ(parsed.settings->converterMode, 1);
}

TEST(CommandLine, PrefixesUpTo255Characters) {
    EXPECT_TRUE(ParseCommandLine({"s", "/r" + std::string(255, 'p')}).settings);
    EXPECT_EQ(ParseCommandLine({"s", "/r" + std::string(256, 'p')}).usageMessage,
              "Error parsing /r prefix: longer than 255 characters\n");
    EXPECT_EQ(ParseCommandLine({"a", "b", "c", "/x"}).usageMessage, "Extra parm: c\n");
}

TEST(RenameBatch, RenamesNumberedRendersAndRunsTheConverter) {
    std::vector<CameraRecord> cameras(2);
    cameras[0].name = "Lobby";
    cameras[1].name = "RoofN";
    const std::vector<std::string> full = RenameBatchLines(cameras, "c:\\renders\\shot", 1);
    const std::vector<std::string> expected = {
        "ren c:\\renders\\shot0001.tga Lobby.tga", "rawsmith /q c:\\renders\\Lobby.tga",
        "ren c:\\renders\\shot0002.tga RoofN.tga", "rawsmith /q c:\\renders\\RoofN.tga", "pause"};
    EXPECT_EQ(full, expected);
    std::vector<CameraRecord> many(10000);
    EXPECT_EQ(RenameBatchLines(many, "s", 0)[9998], "ren s9999.tga .tga");
    EXPECT_EQ(RenameBatchLines(many, "s", 0)[9999], "ren s10000.tga .tga");
}
