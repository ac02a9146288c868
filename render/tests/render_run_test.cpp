// Runs of the render driver against the test host: what is validated, counted, rendered and
// written, in which order, and what a failure leaves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "render/image_output.h"
#include "render/panning_faces.h"
#include "render/render_batch.h"
#include "render_test_host.h"
#include "support/testing/files.h"

namespace render_test {
namespace {

using support::testing::ReadBytes;
using support::testing::ReadFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

using RenderRun = RenderFixture;

TEST_F(RenderRun, SizesOutsideTheBoundsAreRefusedBeforeAnythingHappens) {
    AddCamera("Cam01");
    struct Case {
        int x, y, px, py, valid;
    };
    for (const Case& c : {Case{1601, 480, 0, 0, 1}, Case{20, 480, 10, 0, 1},
                          Case{640, 480, 0, 0, 0}, Case{0, 480, 0, 0, 1}}) {
        utility.outputSizeX = c.x, utility.outputSizeY = c.y;
        utility.padSizeX = c.px, utility.padSizeY = c.py;
        utility.hostInterface = &host;
        utility.settingsValid = c.valid;
        utility.Run();
    }
    EXPECT_EQ(Messages(), std::vector<std::string>(4, "Error: Invalid output dimensions"));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("cfg/lumenpass.ini")));

    utility.outputSizeX = 1600;
    utility.outputSizeY = 2;
    Run();
    EXPECT_EQ(Messages().size(), 4u);
    EXPECT_THAT(bitmaps.created, ElementsAre(std::pair{1600, 2}));
    EXPECT_TRUE(std::filesystem::exists(folder.File("cfg/lumenpass.ini")));
}

TEST_F(RenderRun, PadsAreTakenOffTheOutputSize) {
    AddCamera("Cam01");
    utility.padSizeX = 10;
    utility.padSizeY = 20;
    Run();
    EXPECT_THAT(bitmaps.created, ElementsAre(std::pair{620, 440}));
    EXPECT_EQ(ReadBytes(Out("Cam01.raw")).size(), 620u * 440u);
    EXPECT_EQ(ReadBytes(Out("Cam01.act")).size(), 768u);
    EXPECT_THAT(OutNames(), ElementsAre("Cam01.act", "Cam01.raw"));
}

TEST_F(RenderRun, HiddenCamerasAreSkippedAndLeftOutOfThePercentages) {
    AddCamera("Cam01");
    AddCamera("Hidden")->SetHidden(true);
    hostfakes::FakeNode* helper = root.AddChild("Helper");  // not a camera
    AddCamera("Cam02", helper);
    AddCamera("Cam03");
    utility.outputRawActFiles = 0;
    utility.ignoreHiddenNodes = 1;
    Run();
    ASSERT_EQ(host.calls.size(), 3u);
    EXPECT_EQ(host.calls[0].camera, "Cam01");
    EXPECT_EQ(host.calls[1].camera, "Cam02");  // parents before children, in child order
    EXPECT_EQ(host.calls[2].camera, "Cam03");
    EXPECT_THAT(host.PhaseTitles(), ElementsAre("Preparing...", "Rendering"));
    EXPECT_THAT(host.PhasePercents("Rendering"), ElementsAre(0, 33, 66, 100));
    EXPECT_THAT(OutNames(), ElementsAre("Cam01.tga", "Cam02.tga", "Cam03.tga"));

    utility.ignoreHiddenNodes = 0;
    Run();
    EXPECT_EQ(host.calls.size(), 7u);
    EXPECT_TRUE(std::filesystem::exists(Out("Hidden.tga")));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RenderRun, SceneWithoutCamerasRendersNothing) {
    root.AddChild("Box");
    utility.useRawsmith = 1;
    Run();
    EXPECT_THAT(Messages(), ElementsAre("Error: No cameras to render!"));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(host.batchExistedAtEnd);
    EXPECT_THAT(host.PhaseTitles(), ElementsAre("Preparing..."));
}

TEST_F(RenderRun, PanningRendersSixSquareViewsFromTheCameraPlace) {
    hostfakes::FakeNode* camera = AddCamera("Cam01");
    // Turned and moved: only the place counts.
    camera->SetNodeTM(Matrix3({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {5, 6, 7}));
    utility.panningCamera = 1;
    utility.outputRawActFiles = 0;
    utility.outputSizeY = 640;
    Run();
    EXPECT_THAT(OutNames(), ElementsAre("Cam01d.tga", "Cam01e.tga", "Cam01n.tga", "Cam01s.tga",
                                        "Cam01u.tga", "Cam01w.tga"));
    ASSERT_EQ(host.calls.size(), 6u);
    const auto& faces = render::PanningFaces();
    for (int i = 0; i < 6; ++i) {
        Matrix3 expected = faces[i].matrix;
        expected.SetTrans({5, 6, 7});
        EXPECT_EQ(host.calls[i].viewTM, expected) << faces[i].suffix;
        EXPECT_EQ(host.calls[i].fov, 1.5707964f);
        EXPECT_EQ(host.calls[i].farClip, 9999.9f);
        EXPECT_EQ(host.calls[i].zoom, 1.0f);
    }
    EXPECT_THAT(bitmaps.created, ElementsAre(std::pair{640, 640}));  // one bitmap per camera
}

TEST(PanningFaces, BuiltFromTheirAnglesInRenderOrder) {
    const auto& faces = render::PanningFaces();
    const char* suffixes[] = {"n", "s", "e", "w", "u", "d"};
    const Matrix3 expected[] = {Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {}),
                                Matrix3({-1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {}),
                                Matrix3({0, 0, -1}, {0, 1, 0}, {-1, 0, 0}, {}),
                                Matrix3({0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {}),
                                Matrix3({1, 0, 0}, {0, 0, -1}, {0, -1, 0}, {}),
                                Matrix3({1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {})};
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(faces[i].suffix, suffixes[i]);
        EXPECT_EQ(faces[i].matrix, expected[i]) << suffixes[i];
    }
}

TEST_F(RenderRun, PaletteImageHoldsIndicesAndRedGreenBluePalette) {
    AddCamera("Cam01");
    utility.outputSizeX = 4;
    utility.outputSizeY = 2;
    // Left half red 30 green 20 blue 10; right half the same colour fully transparent.
    host.paint = [](const RenderCall&, int x, int) {
        BitmapPixel64 p = Opaque(30, 20, 10);
        if (x >= 2) p.a = 0;
        return p;
    };
    utility.keep24BitTgas = 1;
    Run();
    const std::vector<uint8_t> act = ReadBytes(Out("Cam01.act"));
    ASSERT_EQ(act.size(), 768u);
    // Two colours: black (the transparent half) and the colour, which sorts last.
    EXPECT_THAT(std::vector<uint8_t>(act.end() - 3, act.end()), ElementsAre(30, 20, 10));
    EXPECT_THAT(ReadBytes(Out("Cam01.raw")), ElementsAre(255, 255, 0, 0, 255, 255, 0, 0));
    const std::vector<uint8_t> tga = ReadBytes(Out("Cam01.tga"));
    ASSERT_EQ(tga.size(), 18u + 4 * 2 * 3);
    EXPECT_THAT(std::vector<uint8_t>(tga.begin(), tga.begin() + 18),
                ElementsAre(0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2, 0, 24, 0x20));
    EXPECT_THAT(std::vector<uint8_t>(tga.begin() + 18, tga.begin() + 30),
                ElementsAre(10, 20, 30, 10, 20, 30, 0, 0, 0, 0, 0, 0));
}

TEST(ChannelToByte, ClampsAndTruncates) {
    EXPECT_EQ(render::ChannelToByte(-3.0), 0);
    EXPECT_EQ(render::ChannelToByte(254.999), 254);
    EXPECT_EQ(render::ChannelToByte(255.0), 255);
    EXPECT_EQ(render::ChannelToByte(1e9), 255);
}

// Reads `name`'s batch copy kept by the stand-in interpreter.
std::vector<std::string> BatchLines(const std::string& text) {
    std::vector<std::string> lines = support::testing::Lines(text);
    if (lines.size() > 1) lines[1] = lines[1].substr(0, 55);  // the date differs per run
    return lines;
}

TEST_F(RenderRun, ConverterBatchForTwoCamerasIsRunAndDeleted) {
    AddCamera("Cam01");
    AddCamera("Cam02");
    utility.useRawsmith = 1;
    utility.rawsmithPreviewMode = 1;
    Run();
    EXPECT_TRUE(Messages().empty());
    const std::string tga1 = Out("Cam01.tga"), tga2 = Out("Cam02.tga");
    const std::string ran = ReadFile("ran.BAT");
    EXPECT_NE(ran.find("\r\n"), std::string::npos);
    EXPECT_THAT(BatchLines(ran),
                ElementsAre("@echo off", "ECHO Temporary batch file created by LUMENPASS.DLU, on ",
                            "@echo 1 of 2, 0 percent complete", "RAWSMITH /q /p /m " + tga1,
                            "del " + tga1, "@echo " + std::string(61, '-'),
                            "@echo 2 of 2, 50 percent complete", "RAWSMITH /q /p /m " + tga2,
                            "del " + tga2, "@echo " + std::string(61, '-'), "pause"));
    EXPECT_THAT(host.PhaseTitles(), ElementsAre("Preparing...", "Rendering", "Running RAWSMITH"));
    EXPECT_FALSE(std::filesystem::exists(render::kBatchFileName));
    EXPECT_THAT(OutNames(), ElementsAre("Cam01.tga", "Cam02.tga"));
}

TEST_F(RenderRun, ConverterBatchKeepsTargasAndQuotesPathsWithBlanks) {
    AddCamera("Cam 01");
    AddCamera("Cam02");
    AddCamera("Cam03");
    utility.useRawsmith = 1;
    utility.keep24BitTgas = 1;
    Run();
    const std::vector<std::string> lines = BatchLines(ReadFile("ran.BAT"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[2], "@echo 1 of 3, 0 percent complete");
    EXPECT_EQ(lines[3], "RAWSMITH /q \"" + Out("Cam 01.tga") + "\"");
    EXPECT_EQ(lines[5], "@echo 2 of 3, 33 percent complete");
    EXPECT_EQ(lines[8], "@echo 3 of 3, 66 percent complete");
    EXPECT_EQ(lines[11], "pause");
}

TEST_F(RenderRun, FailureAtTheSecondCameraFinishesTheBatchButNeverRunsIt) {
    AddCamera("Cam01");
    AddCamera("Cam02");
    AddCamera("Cam03");
    utility.useRawsmith = 1;
    host.failRenderAt = 2;
    Run();
    EXPECT_THAT(Messages(), ElementsAre("Error: Error rendering image"));
    EXPECT_FALSE(std::filesystem::exists("ran.BAT"));
    EXPECT_FALSE(std::filesystem::exists(render::kBatchFileName));
    ASSERT_TRUE(host.batchExistedAtEnd);
    const std::vector<std::string> lines = BatchLines(host.batchAtEnd);
    ASSERT_EQ(lines.size(), 7u);  // two first lines, one group, pause
    EXPECT_EQ(lines[2], "@echo 1 of 3, 0 percent complete");
    EXPECT_EQ(lines[6], "pause");
    EXPECT_EQ(host.calls.size(), 2u);  // the third camera is not rendered
    EXPECT_THAT(host.PhasePercents("Rendering"), ElementsAre(0, 33, 66));
}

TEST_F(RenderRun, CancelDuringTheRenderingLeavesTheBatchUnrun) {
    AddCamera("Cam01");
    AddCamera("Cam02");
    utility.useRawsmith = 1;
    host.cancelOnPhase = "Rendering";
    Run();
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(std::filesystem::exists("ran.BAT"));
    EXPECT_FALSE(std::filesystem::exists(render::kBatchFileName));
}

TEST_F(RenderRun, ExceptionInsideARunIsReportedAndCleansUp) {
    AddCamera("Cam01");
    AddCamera("Cam02");
    utility.useRawsmith = 1;
    host.throwAt = 2;
    Run();
    EXPECT_THAT(
        Messages(),
        ElementsAre("Error: An exception was thrown, and I don't know what to do with it!"));
    EXPECT_FALSE(std::filesystem::exists(render::kBatchFileName));
    EXPECT_FALSE(std::filesystem::exists("ran.BAT"));
    EXPECT_EQ(host.Progress().back().kind, hostfakes::FakeHost::ProgressEvent::Kind::End);
}

TEST_F(RenderRun, CameraRenderFailuresAreReportedAndStopTheRun) {
    AddCamera("Cam01");
    AddCamera("Cam02");
    utility.outputRawActFiles = 0;
    host.failOpenAt = 1;
    Run();
    EXPECT_THAT(Messages(), ElementsAre("Error: Can't open renderer"));
    EXPECT_EQ(host.calls.size(), 1u);
    EXPECT_TRUE(OutNames().empty());
}

TEST_F(RenderRun, BitmapThatCannotBeMadeStopsBeforeAnyProgressStep) {
    AddCamera("Cam01");
    bitmaps.failCreate = true;
    Run();
    EXPECT_THAT(Messages(), ElementsAre("Error: Can't create bitmap"));
    EXPECT_THAT(host.PhasePercents("Rendering"), ElementsAre(0));
}

TEST_F(RenderRun, MissingOutputFolderFailsTheFirstImage) {
    AddCamera("Cam01");
    AddCamera("Cam02");
    utility.outputPath = folder.File("nowhere");
    Run();
    EXPECT_THAT(Messages(),
                ElementsAre("Error: Unable to create " + folder.File("nowhere/Cam01.raw")));
    utility.outputRawActFiles = 0;
    Run();
    EXPECT_EQ(Messages()[1], "Error: Can't create " + folder.File("nowhere/Cam01.tga"));
    EXPECT_EQ(host.calls.size(), 2u);
}

TEST_F(RenderRun, OutputPathsWithAndWithoutTrailingSeparatorOrEmpty) {
    AddCamera("Cam01");
    utility.outputRawActFiles = 0;
    utility.outputPath = folder.File("out") + "/";
    Run();
    EXPECT_THAT(OutNames(), ElementsAre("Cam01.tga"));
    utility.outputPath.clear();
    Run();
    EXPECT_TRUE(std::filesystem::exists("Cam01.tga"));
    EXPECT_EQ(utility.FaceFileName("Cam01", "n"), "Cam01n.tga");
}

TEST_F(RenderRun, CameraNamesThatCannotNameAFileStopTheRunBeforeRendering) {
    AddCamera("Cam01");
    AddCamera("../escape");
    Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_THAT(Messages()[0], HasSubstr("Camera \"../escape\" cannot name an image file"));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(OutNames().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("escape.raw")));
}

TEST_F(RenderRun, OverlongNamesAndPathsFailClearlyInsteadOfBeingCut) {
    hostfakes::FakeNode* camera = AddCamera(std::string(300, 'c'));
    Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_THAT(Messages()[0], HasSubstr("Camera name longer than 259 characters"));

    camera->SetName(std::string(250, 'c'));  // the name fits; the path does not
    Run();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_THAT(Messages()[1], HasSubstr("makes a path longer than 259 characters"));

    utility.outputPath = std::string(260, 'p');
    Run();
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_THAT(Messages()[2], HasSubstr("Output path longer than 259 characters"));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(RenderRun, FailuresAreLoggedWithDateAndCameraName) {
    AddCamera("Cam01");
    host.failRenderAt = 1;
    Run();
    const std::vector<std::string> log =
        support::testing::ReadCrLfLines(folder.File("failures.log"));
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0], std::string(50, '-'));
    EXPECT_EQ(log[1].rfind("Dodoruzediv failure, ", 0), 0u);
    EXPECT_EQ(log[1].size(), 21u + 24u);
    EXPECT_EQ(log[2], "");
    EXPECT_EQ(log[3], "Current camera name: \"Cam01\"");
    EXPECT_EQ(log[4], "Message: Error rendering image");

    root.AddChild("NoCamera");
    utility.outputSizeX = 0;
    Run();
    const std::vector<std::string> more =
        support::testing::ReadCrLfLines(folder.File("failures.log"));
    ASSERT_EQ(more.size(), 10u);
    EXPECT_EQ(more[8], "Current camera name: \"\"");  // reported outside a walk
}

}  // namespace
}  // namespace render_test
