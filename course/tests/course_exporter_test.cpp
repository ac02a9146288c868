#include "course/course_exporter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "frame/export_settings.h"
#include "frame/plugin_state.h"
#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"
#include "frame/testing/test_support.h"
#include "resources/ravelpath_resources.h"

namespace course {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

namespace {

constexpr int kTicks = 160;

// A Course export against the in-memory host: the library's dialog registered, ravelpath.ini in
// a temporary plug-in configuration folder, the options dialog driven by a script.
class CourseExporterTest : public ::testing::Test {
  protected:
    CourseExporterTest() : module_(RavelpathResources()), root_(std::nullopt) {
        host_.plugConfigDir = dir_.Path().string();
        host_.root = &root_;
        host_.animRange = {0, 9 * kTicks};
        LibrarySettings() = ExportSettings{};
        // root (no name)
        //   Dummy01
        //     Track01
        //   Track02
        dummy_ = root_.AddChild("Dummy01");
        track_ = dummy_->AddChild("Track01");
        track_->SetNodeTM(At(12, 24, 36));
        other_ = root_.AddChild("Track02");
    }
    ~CourseExporterTest() override {
        SetLibraryHost(nullptr);
        LibrarySettings() = ExportSettings{};
    }

    // One export with the dialog script `actions`; the default button is pressed after them.
    int Export(const std::string& actions, const std::string& path = "") {
        ScriptedUiDriver driver = ScriptFromText(actions);
        ScopedUiDriver installed(&driver);
        CourseExporter exporter;
        const int result =
            exporter.DoExport((path.empty() ? OutPath() : path).c_str(), nullptr, &host_, false);
        messages_ = driver.Messages();
        return result;
    }
    void WriteSettings(const std::string& scale, int rotate) {
        WriteFile(SettingsPath(), "1\r\n" + scale + "\r\n" + std::to_string(rotate) + "\r\n");
    }
    std::string SettingsPath() const { return dir_.File("ravelpath.ini"); }
    std::string OutPath() const { return dir_.File("out.CRS"); }
    bool OutExists() const { return std::filesystem::exists(OutPath()); }
    std::vector<std::string> Lines() const { return ReadCrLfLines(OutPath()); }
    // The four matrix lines of frame k.
    std::vector<std::string> Frame(int k) const {
        const std::vector<std::string> lines = Lines();
        const auto first = lines.begin() + 5 + 4 * k;
        return {first, first + 4};
    }

    TempFolder dir_;
    ScopedModule module_;
    FakeHost host_;
    FakeNode root_;
    FakeNode* dummy_;
    FakeNode* track_;
    FakeNode* other_;
    std::vector<std::string> messages_;

  private:
    ScopedTicksPerFrame ticks_{kTicks};
};

using Texts = std::vector<std::string>;

TEST_F(CourseExporterTest, OneFrameRangeWritesTheWholeFile) {
    host_.animRange = {5 * kTicks, 5 * kTicks};
    track_->recordTimes = true;
    ASSERT_EQ(Export("set 1017 Track01"), 1);
    EXPECT_EQ(Lines(), (Texts{"// .CRS version", "101", "// numFrames", "1",
                              "// matrixList (4x3, each row on a seperate line)", "1,0,0", "0,1,0",
                              "0,0,1", "1,3,2"}));
    EXPECT_EQ(track_->NodeTMTimes(), std::vector<TimeValue>{5 * kTicks});
    EXPECT_TRUE(messages_.empty());
    // The options were saved, the node name was not.
    EXPECT_EQ(ReadFile(SettingsPath()), "1\r\n1\r\n0\r\n");
}

TEST_F(CourseExporterTest, NameInOtherCaseFindsTheNode) {
    ASSERT_EQ(Export("set 1017 TRACK01"), 1);
    EXPECT_EQ(Lines().size(), 5u + 4 * 10);
    EXPECT_EQ(Frame(9)[3], "1,3,2");
}

TEST_F(CourseExporterTest, OnlyTheFirstOfTwoNodesOfOneNameIsWritten) {
    // The second Track01 is a child of the root, so breadth first would reach it first.
    FakeNode* second = root_.AddChild("track01");
    second->SetNodeTM(At(120, 0, 0));
    host_.animRange = {0, kTicks};
    ASSERT_EQ(Export("set 1017 Track01"), 1);
    EXPECT_EQ(Lines().size(), 5u + 4 * 2);
    EXPECT_EQ(Frame(0)[3], "1,3,2");
    EXPECT_EQ(Frame(1)[3], "1,3,2");
}

TEST_F(CourseExporterTest, EmptyNameTakesTheFirstUnnamedNode) {
    root_.SetName("Scene Root");
    FakeNode* unnamed = other_->AddChild(std::nullopt);
    unnamed->SetNodeTM(At(0, 0, 60));
    other_->AddChild(std::nullopt)->SetNodeTM(At(0, 0, 120));
    host_.animRange = {0, 0};
    ASSERT_EQ(Export(""), 1);
    EXPECT_EQ(Frame(0)[3], "0,5,0");
}

TEST_F(CourseExporterTest, EmptyNameWithoutAnUnnamedNodeIsReportedAsEmpty) {
    root_.SetName("Scene Root");
    EXPECT_EQ(Export(""), 0);
    EXPECT_EQ(messages_, Texts{"VTR Course Exporter: Can't find node \"\""});
    EXPECT_FALSE(OutExists());
}

TEST_F(CourseExporterTest, MissingNodeShowsTheNameAndLeavesNoFile) {
    EXPECT_EQ(Export("set 1017 Track99"), 0);
    EXPECT_EQ(messages_, Texts{"VTR Course Exporter: Can't find node \"Track99\""});
    EXPECT_FALSE(OutExists());
    // The options were confirmed, so they were saved before the search.
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
}

TEST_F(CourseExporterTest, CancelDuringTheSearchLeavesNoFileAndNoMessage) {
    host_.cancelOnPoll = 2;  // the root passes, Dummy01 is not reached
    EXPECT_EQ(Export("set 1017 Track01"), 0);
    EXPECT_FALSE(OutExists());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(host_.Polls(), 2);
}

TEST_F(CourseExporterTest, ScaleTwelveWritesTheObjectPositionWithYAndZExchanged) {
    WriteSettings("12", 0);
    // Moves along x by 3 units a frame while its y and z stay apart.
    track_->SetNodeTM([](TimeValue t) { return At(3.0f * (t / kTicks), -7.5f, 1000000); });
    ASSERT_EQ(Export("set 1017 Track01"), 1);
    for (int k = 0; k < 10; ++k) {
        const Matrix3 host = track_->GetObjectTM(k * kTicks);
        const Point3 p = host.GetRow(3);
        EXPECT_EQ(Frame(k)[3],
                  support::FormatG(p.x) + "," + support::FormatG(p.z) + "," + support::FormatG(p.y))
            << k;
    }
    EXPECT_EQ(Frame(4)[3], "12,1e+006,-7.5");
    EXPECT_EQ(Frame(0), (Texts{"1,0,0", "0,1,0", "0,0,1", "0,1e+006,-7.5"}));
}

TEST_F(CourseExporterTest, ScaleAndRotationComeFromRavelpathIni) {
    WriteSettings("24", 1);
    track_->SetNodeTM(Matrix3({0.5f, 0.25f, 1}, {0, 1, 0}, {0, 0, 1}, {12, 24, 36}));
    host_.animRange = {0, 0};
    ASSERT_EQ(Export("set 1017 Track01"), 1);
    EXPECT_EQ(Frame(0), (Texts{"-0.5,1,-0.25", "-0,1,-0", "-0,0,-1", "-24,72,-48"}));
    EXPECT_EQ(ReadFile(SettingsPath()), "1\r\n24\r\n1\r\n");
}

TEST_F(CourseExporterTest, PivotOffsetIsPartOfTheWrittenTransform) {
    WriteSettings("12", 0);
    // Node: a quarter turn about z at (10, 20, 30). Object offset: a quarter turn about x and
    // 2 units along the pivot's x axis.
    track_->SetNodeTM(Matrix3({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {10, 20, 30}));
    track_->SetObjectOffset(Matrix3({1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {2, 0, 0}));
    host_.animRange = {0, 0};
    ASSERT_EQ(Export("set 1017 Track01"), 1);
    EXPECT_EQ(Frame(0), (Texts{"0,0,1", "1,0,0", "0,1,0", "10,30,22"}));
    // The node transform alone would have given 0,0,1 / 0,1,0 / -1,0,0 / 10,30,20.
}

// A stored scale the dialog would refuse is not taken, so OK works although the scale field is
// hidden; the export uses the scale in memory and saves it.
TEST_F(CourseExporterTest, OutOfRangeScaleInTheFileIsNotTaken) {
    for (const char* scale : {"0.0001", "1e9", "nan"}) {
        LibrarySettings().scaleFactor = 2.0f;
        WriteSettings(scale, 1);
        EXPECT_EQ(Export("set 1017 Track01"), 1) << scale;
        EXPECT_TRUE(messages_.empty()) << scale;
        EXPECT_TRUE(OutExists()) << scale;
        EXPECT_EQ(Frame(0)[3], "2,6,4") << scale;  // (12, 24, 36) scaled by 2 over twelve
        EXPECT_EQ(ReadFile(SettingsPath()), "1\r\n2\r\n0\r\n") << scale;
    }
}

TEST_F(CourseExporterTest, CancelledDialogWritesNothing) {
    WriteSettings("2", 1);
    EXPECT_EQ(Export("set 1017 Track01; cancel"), 1);
    EXPECT_FALSE(OutExists());
    EXPECT_EQ(ReadFile(SettingsPath()), "1\r\n2\r\n1\r\n");
    EXPECT_EQ(host_.Polls(), 0);
}

TEST_F(CourseExporterTest, NodeNameIsKeptForTheNextExport) {
    ASSERT_EQ(Export("set 1017 Track02"), 1);
    other_->SetNodeTM(At(0, 12, 0));
    ASSERT_EQ(Export(""), 1);
    EXPECT_EQ(Frame(0)[3], "0,0,1");
}

TEST_F(CourseExporterTest, UnwritableOutputReturnsZeroWithoutAMessage) {
    EXPECT_EQ(Export("set 1017 Track01", dir_.File("missing/out.CRS")), 0);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
}

TEST_F(CourseExporterTest, AWriteFailureIsAFailedExport) {
    // The device accepts the open and refuses the data, as a full disk would.
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(Export("set 1017 Track01", "/dev/full"), 0);
    EXPECT_TRUE(messages_.empty());
}

TEST(CourseFrameCount, CountsWholeFramesInclusive) {
    EXPECT_EQ(CourseFrameCount(0, 1440, 160), 10);
    EXPECT_EQ(CourseFrameCount(0, 1500, 160), 10);  // a partial last frame is not written
    EXPECT_EQ(CourseFrameCount(800, 800, 160), 1);
    EXPECT_EQ(CourseFrameCount(800, 799, 160), 0);
    EXPECT_EQ(CourseFrameCount(INT32_MIN, INT32_MAX, 4800), 894785);
}

}  // namespace

}  // namespace course
