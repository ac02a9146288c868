#include "skeleton/bone_exporter.h"

#include "bone_export_fixture.h"
#include "skeleton/bone_name_list.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

namespace {

class BoneExporterTest : public BoneExportTest {
  protected:
    // Runs one export with the dialog script `actions` (the dialog's default button is
    // pressed when they run out).
    int Export(const std::string& actions = "", const std::string& path = "") {
        ScriptedUiDriver driver = ScriptFromText(actions);
        ScopedUiDriver installed(&driver);
        BoneExporter exporter;
        const int result =
            exporter.DoExport((path.empty() ? OutPath() : path).c_str(), nullptr, &host_, false);
        messages_ = driver.Messages();
        return result;
    }
    std::vector<std::string> Lines() const { return ReadCrLfLines(OutPath()); }
    // The bone list lines of the last export.
    std::vector<std::string> BoneLines() const {
        const std::vector<std::string> lines = Lines();
        const int bones = std::stoi(lines.at(3));
        return {lines.begin() + 5, lines.begin() + 5 + bones};
    }
    int Ends() const {
        int ends = 0;
        for (const auto& e : host_.Progress()) ends += e.kind == FakeHost::ProgressEvent::Kind::End;
        return ends;
    }

    // root (no name)
    //   Bip01 (hidden when asked)
    //     Bip01 Spine
    //       Dummy01
    //         Bip01 Hand
    //   Arm
    //     ARM
    //       Bip01 Finger
    void BuildSkeleton() {
        bip_ = root_.AddChild("Bip01");
        bip_->SetNodeTM(At(12, 24, 36));
        spine_ = bip_->AddChild("Bip01 Spine");
        spine_->AddChild("Dummy01")->AddChild("Bip01 Hand");
        FakeNode* arm = root_.AddChild("Arm");
        arm->AddChild("ARM")->AddChild("Bip01 Finger");
    }

    FakeNode* bip_ = nullptr;
    FakeNode* spine_ = nullptr;
};

TEST_F(BoneExporterTest, WithoutRulesWritesOnlyTheHeaders) {
    BuildSkeleton();
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"// .BON version", "101", "// numBones,numFrames", "0,10",
                                        "// boneList: \"name\", parentindex",
                                        "// matrixList (4x3, each row on a seperate line)"}));
    // The settings file now exists, with the defaults.
    EXPECT_EQ(ReadFile(SettingsPath()), "5\r\n0\r\n0\r\n1\r\n0\r\n0\r\n");
}

TEST_F(BoneExporterTest, PlusStarMakesEveryNodeABoneRootIncluded) {
    BuildSkeleton();
    WriteSettings({"+*"});
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(BoneLines(),
              (std::vector<std::string>{"\"\", -1", "\"Bip01\", -1", "\"Bip01 Spine\", 1",
                                        "\"Dummy01\", 2", "\"Bip01 Hand\", 3", "\"Arm\", -1",
                                        "\"ARM\", 5", "\"Bip01 Finger\", 5"}));
    // The root has no name, so no bone can name it as its parent.
    const std::size_t bones = 8, frames = 10;
    EXPECT_EQ(Lines().size(), 6 + bones + 4 * bones * frames);
}

TEST_F(BoneExporterTest, ParentIndexOnlyFromABoneParentFirstByName) {
    BuildSkeleton();
    WriteSettings({"+Bip01*", "+Arm", "+ARM", "-Dummy*"});
    ASSERT_EQ(Export(), 1);
    // Bip01 Hand sits below the excluded Dummy01; the children of ARM get the first "Arm".
    EXPECT_EQ(BoneLines(),
              (std::vector<std::string>{"\"Bip01\", -1", "\"Bip01 Spine\", 0", "\"Bip01 Hand\", -1",
                                        "\"Arm\", -1", "\"ARM\", 3", "\"Bip01 Finger\", 3"}));
}

TEST_F(BoneExporterTest, HiddenNodesAreSkippedButTheirChildrenTested) {
    BuildSkeleton();
    bip_->SetHidden(true);
    WriteSettings({"+Bip01*"}, /*ignoreHidden=*/1);
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(BoneLines(), (std::vector<std::string>{"\"Bip01 Spine\", -1", "\"Bip01 Hand\", -1",
                                                     "\"Bip01 Finger\", -1"}));
    // Without the option the hidden node is a bone like any other.
    WriteSettings({"+Bip01*"}, 0);
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(BoneLines().front(), "\"Bip01\", -1");
}

TEST_F(BoneExporterTest, OneMatrixBlockPerFrameAtEachFramesTime) {
    BuildSkeleton();
    bip_->recordTimes = true;
    bip_->SetNodeTM([](TimeValue t) { return At(static_cast<float>(t), 0, 0); });
    host_.animRange = {0, 1440};
    WriteSettings({"+Bip01"}, 0, "12");
    ASSERT_EQ(Export(), 1);
    const std::vector<TimeValue> expected = {0, 160, 320, 480, 640, 800, 960, 1120, 1280, 1440};
    EXPECT_EQ(bip_->NodeTMTimes(), expected);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 6u + 1 + 4 * 10);
    EXPECT_EQ(lines[3], "1,10");
    EXPECT_EQ(lines[7], "1,0,0");
    EXPECT_EQ(lines[8], "0,1,0");  // row 2 (0,0,1) with y and z exchanged
    EXPECT_EQ(lines[9], "0,0,1");
    EXPECT_EQ(lines[10], "0,0,0");
    EXPECT_EQ(lines[14], "160,0,0");
    EXPECT_EQ(lines.back(), "1440,0,0");
}

TEST_F(BoneExporterTest, ConvertsWithScaleAndRotationFromTheDialog) {
    BuildSkeleton();
    bip_->SetNodeTM(Matrix3({0.5f, 0.25f, 1}, {0, 1, 0}, {0, 0, 1}, {12, 24, 36}));
    host_.animRange = {0, 0};
    WriteSettings({"+Bip01"});
    ASSERT_EQ(Export("set 1011 2; check 1013 1"), 1);
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 7, lines.end()),
              (std::vector<std::string>{"-0.5,1,-0.25", "-0,1,-0", "-0,0,-1", "-2,6,-4"}));
    EXPECT_EQ(ReadFile(SettingsPath()), "5\r\n1\r\n+Bip01\r\n0\r\n2\r\n1\r\n0\r\n");
}

TEST_F(BoneExporterTest, ProgressPhasesAndPercentages) {
    BuildSkeleton();
    WriteSettings({"+Bip01*"});
    host_.animRange = {0, 3 * kTicks};  // four frames
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(host_.PhaseTitles(),
              (std::vector<std::string>{"Counting bones", "Exporting bone linkage",
                                        "Exporting matrices"}));
    EXPECT_EQ(host_.PhasePercents("Counting bones"), std::vector<int>{0});
    EXPECT_EQ(host_.PhasePercents("Exporting bone linkage"), (std::vector<int>{0, 0, 25, 50, 75}));
    EXPECT_EQ(host_.PhasePercents("Exporting matrices"), (std::vector<int>{0, 25, 50, 75, 100}));
    EXPECT_EQ(Ends(), 1);
    EXPECT_EQ(host_.Progress().back().kind, FakeHost::ProgressEvent::Kind::End);
}

TEST_F(BoneExporterTest, ASingleFrameReportsProgressPerBone) {
    BuildSkeleton();
    WriteSettings({"+Bip01*"});
    host_.animRange = {5 * kTicks, 5 * kTicks};
    bip_->recordTimes = true;
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Lines()[3], "4,1");
    EXPECT_EQ(bip_->NodeTMTimes(), std::vector<TimeValue>{5 * kTicks});
    EXPECT_EQ(host_.PhasePercents("Exporting matrices"), (std::vector<int>{0, 0, 25, 50, 75}));
}

TEST_F(BoneExporterTest, CancelDuringAPassDeletesTheFile) {
    for (const char* phase : {"Counting bones", "Exporting bone linkage", "Exporting matrices"}) {
        host_ = FakeHost{};
        host_.plugConfigDir = dir_.Path().string();
        host_.root = &root_;
        host_.animRange = {0, 9 * kTicks};
        if (!bip_) BuildSkeleton();
        WriteSettings({"+*"});
        host_.cancelOnPhase = phase;
        EXPECT_EQ(Export(), 0) << phase;
        EXPECT_FALSE(OutExists()) << phase;
        EXPECT_EQ(Ends(), 1) << phase;
    }
}

TEST_F(BoneExporterTest, CancelInTheMiddleOfTheMatrices) {
    BuildSkeleton();
    WriteSettings({"+*"});
    host_.cancelOnPoll = 8 * 3 + 8 * 4;  // counting, linkage, then a few frames
    EXPECT_EQ(Export(), 0);
    EXPECT_FALSE(OutExists());
    EXPECT_EQ(host_.PhaseTitles().size(), 3u);
}

TEST_F(BoneExporterTest, MoreBonesInALaterPassStopsTheExport) {
    BuildSkeleton();
    WriteSettings({"+Bip01*"});
    host_.onProgressStart = [&](const std::string& title) {
        if (title == "Exporting bone linkage") spine_->AddChild("Bip01 New");
    };
    EXPECT_EQ(Export(), 0);
    EXPECT_FALSE(OutExists());
    // The bone past the count still sets the progress before it stops the pass.
    EXPECT_EQ(host_.PhasePercents("Exporting bone linkage"),
              (std::vector<int>{0, 0, 25, 50, 75, 100}));
}

TEST_F(BoneExporterTest, UnwritableOutputReturnsZeroAfterSavingSettings) {
    BuildSkeleton();
    EXPECT_EQ(Export("", dir_.File("missing/out.BON")), 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
    EXPECT_TRUE(host_.Progress().empty());
}

TEST_F(BoneExporterTest, CancelledDialogWritesNothing) {
    BuildSkeleton();
    WriteSettings({"+Bip01"});
    const std::string before = ReadFile(SettingsPath());
    EXPECT_EQ(Export("click 1043; set 1047 x; click 1; cancel"), 1);
    EXPECT_FALSE(OutExists());
    EXPECT_EQ(ReadFile(SettingsPath()), before);
    EXPECT_TRUE(host_.Progress().empty());
}

TEST_F(BoneExporterTest, ASecondExportReusesTheSavedRules) {
    BuildSkeleton();
    ASSERT_EQ(Export("click 1043; set 1047 bip01 s*; click 1"), 1);
    EXPECT_EQ(BoneLines(), std::vector<std::string>{"\"Bip01 Spine\", -1"});
    LibrarySettings() = ExportSettings{};  // as if the host had been restarted
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(BoneLines(), std::vector<std::string>{"\"Bip01 Spine\", -1"});
}

TEST_F(BoneExporterTest, TheBoneNameListIsEmptiedWithEachExporter) {
    BuildSkeleton();
    WriteSettings({"+*"});
    ASSERT_EQ(Export(), 1);
    TheBoneNameList().Append("left over");
    { BoneExporter exporter; }
    EXPECT_EQ(TheBoneNameList().Count(), 0);
}

}  // namespace

}  // namespace skeleton
