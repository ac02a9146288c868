// camweave's two outputs for the sample list and scene, compared byte for byte with the files
// checked in beside this test: the rewritten scene and the rename batch (/p, /t).
#include <gtest/gtest.h>

#include "run_camweave.h"

namespace camweave::testing {

namespace {

const std::string kExamples = CAMWEAVE_EXAMPLES;
const std::string kGolden = CAMWEAVE_GOLDEN;

}  // namespace

TEST(Golden, SampleSceneAndRenameBatch) {
    TempFolder folder;
    WriteFile(folder / "lobby.lc", ReadFile(kExamples + "/lobby.lc"));
    WriteFile(folder / "lobby.lws", ReadFile(kExamples + "/lobby.lws"));
    const ProgramResult result = RunCamweaveIn(folder, {"lobby", "/p", "/rrenders\\shot", "/t"});
    ASSERT_EQ(result.status, 0) << result.out;
    EXPECT_EQ(ReadFile(folder / "lobby.lws"), ReadFile(kGolden + "/lobby_after_camweave.lws"));
    EXPECT_EQ(ReadFile(folder / "lobby_rename_cameras.bat"),
              ReadFile(kGolden + "/lobby_rename_cameras.bat"));
    EXPECT_EQ(ReadFile(folder / "lobby.bak"), ReadFile(kExamples + "/lobby.lws"));
}

}  // namespace camweave::testing
