#include "plughost/host_app.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include "plughost/progress_display.h"
#include "plughost/scene_loader.h"

using namespace plughost;

namespace {

unsigned long Nothing(void*) {
    return 0;
}

class HostApp : public testing::Test {
  protected:
    void SetUp() override {
        SceneLoadResult r = LoadSceneText(R"({"range": [1, 9], "time": 4, "root": {"name": "R"}})",
                                          "dir/scene.json");
        ASSERT_TRUE(r.scene);
        scene_ = std::move(r.scene);
        HostSettings s;
        s.range = scene_->range;
        s.time = scene_->time;
        s.plugcfgDir = "/cfg";
        s.otherDir = scene_->folder;
        host_ = std::make_unique<PlugHost>(*scene_, s, progress_);
    }

    std::ostringstream log_;
    ProgressDisplay progress_{log_, false};
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<PlugHost> host_;
};

}  // namespace

TEST_F(HostApp, AnswersTimesRootAndFolders) {
    EXPECT_EQ(host_->GetAnimRange().start, 160);
    EXPECT_EQ(host_->GetAnimRange().end, 9 * 160);
    EXPECT_EQ(host_->GetTime(), 4 * 160);
    EXPECT_STREQ(host_->GetRootNode()->GetName(), "R");
    EXPECT_STREQ(host_->GetDir(kDirPlugConfig), "/cfg");
    EXPECT_STREQ(host_->GetDir(1), "dir");
}

TEST_F(HostApp, PlainProgressWritesOneLinePerPhaseAndPercentStep) {
    host_->ProgressStart("Counting bones", true, Nothing, nullptr);
    host_->ProgressUpdate(0);
    host_->ProgressStart("Exporting matrices", true, Nothing, nullptr);
    host_->ProgressUpdate(0);
    host_->ProgressUpdate(50);
    host_->ProgressUpdate(50);
    host_->ProgressUpdate(250);
    host_->ProgressEnd();
    EXPECT_EQ(log_.str(),
              "Counting bones: 0%\nExporting matrices: 0%\nExporting matrices: 50%\n"
              "Exporting matrices: 100%\n");
    EXPECT_FALSE(host_->ProgressRunning());
}

TEST(ProgressDisplay, TerminalBarRedrawsOneLinePerPhase) {
    std::ostringstream out;
    ProgressDisplay p(out, true);
    p.Start("Counting", true);
    p.Update(50);
    p.Start("Writing", false);
    p.End();
    const std::string s = out.str();
    EXPECT_NE(s.find("\rCounting [               "
                     "               ] 0%"),
              std::string::npos);
    EXPECT_NE(s.find("\rCounting [###############               ] 50%"), std::string::npos);
    EXPECT_NE(s.find("\n\rWriting 0%"), std::string::npos);
    EXPECT_EQ(s.back(), '\n');
}

TEST_F(HostApp, CancelPointSetsTheFlagOnceTheTitleReachesThePercent) {
    host_->SetCancelPoint("Exporting matrices", 50);
    host_->ProgressStart("Counting bones", true, Nothing, nullptr);
    host_->ProgressUpdate(80);
    EXPECT_FALSE(host_->GetCancel());
    host_->ProgressStart("Exporting matrices", true, Nothing, nullptr);
    host_->ProgressUpdate(40);
    EXPECT_FALSE(host_->GetCancel());
    host_->ProgressUpdate(60);
    EXPECT_TRUE(host_->GetCancel());
    host_->SetCancel(false);
    host_->ProgressUpdate(70);
    EXPECT_FALSE(host_->GetCancel()) << "the point fires once";
}

TEST(ProgressDisplay, CancelPointText) {
    std::string title;
    int percent = -1;
    EXPECT_TRUE(ParseCancelPoint("Exporting matrices:50", title, percent));
    EXPECT_EQ(title, "Exporting matrices");
    EXPECT_EQ(percent, 50);
    EXPECT_TRUE(ParseCancelPoint("a:b:0", title, percent));
    EXPECT_EQ(title, "a:b");
    EXPECT_FALSE(ParseCancelPoint("Exporting", title, percent));
    EXPECT_FALSE(ParseCancelPoint("x:101", title, percent));
    EXPECT_FALSE(ParseCancelPoint("x:-1", title, percent));
}

TEST_F(HostApp, CancelAtAPoll) {
    host_->SetCancelAtPoll(3);
    EXPECT_FALSE(host_->GetCancel());
    EXPECT_FALSE(host_->GetCancel());
    EXPECT_TRUE(host_->GetCancel());
    EXPECT_TRUE(host_->GetCancel());
    host_->SetCancel(false);
    EXPECT_FALSE(host_->GetCancel());
}

TEST_F(HostApp, CtrlCSetsTheCancelFlag) {
    InterruptGuard guard;
    EXPECT_FALSE(host_->GetCancel());
    std::raise(SIGINT);
    EXPECT_TRUE(host_->GetCancel());
    host_->SetCancel(false);
    EXPECT_FALSE(host_->GetCancel());
    std::raise(SIGINT);  // re-armed by clearing the flag
    EXPECT_TRUE(host_->GetCancel());
    host_->SetCancel(false);
}
