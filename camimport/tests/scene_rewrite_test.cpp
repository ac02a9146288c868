// camweave end to end: what the rewritten scene keeps, and every stop that leaves it alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "run_camweave.h"

namespace camweave::testing {

namespace fs = std::filesystem;

namespace {

const char* const kList = "l\n1\nc\n0, 1\nh\nc\n\"Cam\",0,0,0,0,0,0,1.5708\n1\n2\n3\n4\n";
const std::string kCameraBlock =
    "CameraMotion (unnamed)\n  9\n  1\n  0 2 -5 0 0 0 1 1 1\n  0 0 0 0 0\nEndBehavior 1\n";

class SceneRewrite : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(folder / "scene.lc", kList); }

    // Runs camweave on `scene` and expects it to stop with `message`, changing nothing.
    void ExpectStop(const std::string& scene, const std::string& message,
                    const std::vector<std::string>& switches = {}) {
        WriteFile(folder / "scene.lws", scene);
        std::vector<std::string> arguments = {"scene"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        const ProgramResult result = RunCamweaveIn(folder, arguments);
        EXPECT_EQ(result.status, 1) << message;
        const auto error = result.out.find("\n\nERROR:\n");
        ASSERT_NE(error, std::string::npos) << result.out;
        EXPECT_EQ(result.out.substr(error), "\n\nERROR:\n" + message + "\n");
        EXPECT_EQ(result.out.find("OK"), std::string::npos);
        EXPECT_EQ(ReadFile(folder / "scene.lws"), scene) << message;
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "$$temp$$.lws"))) << message;
        EXPECT_FALSE(fs::exists(folder / "scene.bak")) << message;
    }

    std::string Rewrite(const std::string& scene) {
        WriteFile(folder / "scene.lws", scene);
        const ProgramResult result = RunCamweaveIn(folder, {"scene"});
        EXPECT_EQ(result.status, 0) << result.out;
        return ReadFile(folder / "scene.lws");
    }

    TempFolder folder;
};

}  // namespace

TEST_F(SceneRewrite, EveryMissingBlockStopsTheRun) {
    ExpectStop("LWSC\n1\nShowCamera 1 2\n", "Can't find camera block in scene.lws");
    ExpectStop("CameraMotion (unnamed)\n  9\n  1\n  0\n  0\n",
               "Can't find end of camera block in scene.lws");
    ExpectStop(kCameraBlock + "RenderMode 2\n",
               "Can't find camera zoomfactor envelope block in scene.lws");
    ExpectStop(kCameraBlock + "ZoomFactor (envelope)\n  1\n  1\n  3.2\n  0 0 0 0 0\n",
               "Can't find end of camera zoomfactor envelope block in scene.lws");
}

TEST_F(SceneRewrite, NeverDropsLinesOfLaterItems) {
    // A camera motion that ends otherwise than with "EndBehavior 1": the next "EndBehavior 1"
    // closes another block, which must not be dropped.
    ExpectStop(
        "CameraMotion (unnamed)\n  9\n  1\n  0\n  0\nEndBehavior 2\nZoomFactor 3\n"
        "FogMaxDist (envelope)\n  1\n  1\n  9\n  0 0 0 0 0\nEndBehavior 1\n",
        "Can't find end of camera block in scene.lws");
    ExpectStop(kCameraBlock +
                   "ZoomFactor (envelope)\n  1\n  1\n  3.2\n  0 0 0 0 0\nEndBehavior 0\n"
                   "FogMaxDist (envelope)\n  1\n  1\n  9\n  0 0 0 0 0\nEndBehavior 1\n",
               "Can't find end of camera zoomfactor envelope block in scene.lws");
}

TEST_F(SceneRewrite, FailedWritesStopBeforeTheSceneIsTouched) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const std::string scene = kCameraBlock + "ZoomFactor 3.2\n";
    fs::create_symlink("/dev/full", folder / "$$temp$$.lws");
    ExpectStop(scene, "Can't write $$temp$$.lws");
}

TEST_F(SceneRewrite, NamesThatWouldLoseTheScene) {
    // The working file itself, and a scene named like its own backup.
    const std::string scene = kCameraBlock + "ZoomFactor 3.2\n";
    WriteFile(folder / "$$temp$$.lws", scene);
    WriteFile(folder / "$$temp$$.lc", kList);
    const ProgramResult working = RunCamweaveIn(folder, {"$$temp$$"});
    EXPECT_EQ(working.status, 1);
    EXPECT_NE(working.out.find("Can't create $$temp$$.lws"), std::string::npos);
    EXPECT_EQ(ReadFile(folder / "$$temp$$.lws"), scene);
    EXPECT_EQ(RunCamweaveIn(folder, {"$$temp$$", "/x"}).status, 1);
    EXPECT_EQ(ReadFile(folder / "$$temp$$.lws"), scene);

    WriteFile(folder / "old.bak", scene);
    const ProgramResult backup = RunCamweaveIn(folder, {"old.bak", "scene.lc"});
    EXPECT_EQ(backup.out, "\n\nERROR:\nCan't back up old.bak to itself\n");
    EXPECT_EQ(ReadFile(folder / "old.bak"), scene);
}

TEST_F(SceneRewrite, ConstantZoomBecomesAnEnvelope) {
    const std::string out = Rewrite(kCameraBlock + "ZoomFactor 3.2\nRenderMode 2\n");
    EXPECT_NE(
        out.find("EndBehavior 1\r\nZoomFactor (envelope)\r\n  1\r\n  2\r\n  1\r\n"
                 "  0 0 0 0 0\r\n  1.33436\r\n  1 0 0 0 0\r\nEndBehavior 1\r\nRenderMode 2\r\n"),
        std::string::npos);
    EXPECT_EQ(out.find("3.2"), std::string::npos);
}

TEST_F(SceneRewrite, CopiesOtherLinesByteForByte) {
    // Latin-1 names, trailing blanks, blank lines, a line far longer than 1023 characters with a
    // keyword past that length, and a last line without a line end.
    const std::string longLine = "Comment " + std::string(3000, 'x') + " ZoomFactor";
    const std::string head = "LWSC\n1\n\nLightName Soleil d'\xe9t\xe9  \n\n" + longLine + "\n";
    const std::string tail = "RenderMode 2   \n\n" + longLine + "\nGridSize 1";
    const std::string lf = head + kCameraBlock +
                           "ZoomFactor (envelope)\n  1\n  1\n  3.2\n  0 0 0 0 0\nEndBehavior 1\n" +
                           tail;
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);

    const std::string fromLf = Rewrite(lf);
    EXPECT_EQ(ReadFile(folder / "scene.bak"), lf);
    EXPECT_EQ(Rewrite(crlf), fromLf);
    const std::string crlfHead = crlf.substr(0, crlf.find("CameraMotion"));
    const std::string crlfTail = crlf.substr(crlf.find("RenderMode"));
    EXPECT_EQ(fromLf.substr(0, crlfHead.size()), crlfHead);
    EXPECT_EQ(fromLf.substr(fromLf.size() - crlfTail.size()), crlfTail);
}

TEST_F(SceneRewrite, SampleKeepsEverythingOutsideTheCameraBlocks) {
    const std::string sample = ReadFile(std::string(CAMWEAVE_EXAMPLES) + "/lobby.lws");
    WriteFile(folder / "lobby.lc", ReadFile(std::string(CAMWEAVE_EXAMPLES) + "/lobby.lc"));
    WriteFile(folder / "lobby.lws", sample);
    const ProgramResult result = RunCamweaveIn(folder, {"lobby", "/p"});
    ASSERT_EQ(result.status, 0) << result.out;
    const auto before = Lines(sample);
    const auto after = Lines(ReadFile(folder / "lobby.lws"));

    // The old scene's lines, less the old keys and the old zoom envelope, in the same order.
    const auto camera = std::find(before.begin(), before.end(), "CameraMotion (unnamed)");
    ASSERT_NE(camera, before.end());
    const auto cameraAt = static_cast<std::size_t>(camera - before.begin());
    const auto zoom = std::find(camera, before.end(), "ZoomFactor (envelope)");
    const auto zoomEnd = std::find(zoom, before.end(), "EndBehavior 1") + 1;
    std::vector<std::string> kept(before.begin(), camera + 1);
    kept.insert(kept.end(), zoomEnd, before.end());

    // The new camera block: 9 channels, old key 0, then one key per record at frames 1 to N.
    const std::size_t records = 8;  // two fixed cameras and the six views of one panning camera
    ASSERT_EQ(after[cameraAt + 1], "  9");
    ASSERT_EQ(after[cameraAt + 2], "  " + std::to_string(records + 1));
    EXPECT_EQ(after[cameraAt + 3], before[cameraAt + 3]);
    EXPECT_EQ(after[cameraAt + 4], before[cameraAt + 4]);
    for (std::size_t i = 1; i <= records; ++i) {
        EXPECT_EQ(after[cameraAt + 4 + 2 * i], "  " + std::to_string(i) + " 0 0 0 0");
    }
    const std::size_t blockEnd = cameraAt + 5 + 2 * records;
    EXPECT_EQ(after[blockEnd], "EndBehavior 1");
    const std::size_t envelopeLines = 6 + 2 * records;
    std::vector<std::string> rest(after.begin(), after.begin() + cameraAt + 1);
    rest.insert(rest.end(), after.begin() + blockEnd + 1 + envelopeLines, after.end());
    EXPECT_EQ(rest, kept);
}

}  // namespace camweave::testing
