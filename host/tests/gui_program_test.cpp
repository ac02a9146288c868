// plughost --gui end to end: the real plug-in libraries' dialogs in windows on the test's own X
// server, worked through real pointer and key events.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "fonts_and_display.h"
#include "hostsdk/ui.h"
#include "resources/quellstone_resources.h"
#include "resources/resource_ids.h"
#include "support/testing/files.h"
#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"
#include "x_input.h"
#include "xvfb_server.h"

namespace plughost {
namespace {

using support::testing::ReadCrLfLines;
using support::testing::ReadFile;
using support::testing::TempFolder;
namespace x = testing;

::testing::Environment* const xvfb =
    ::testing::AddGlobalTestEnvironment(new testing::XvfbEnvironment);

// plughost running in the background with its standard error in a file.
class Plughost {
  public:
    Plughost(const std::vector<std::string>& arguments, const std::string& errFile) {
        std::vector<std::string> args = {PLUGHOST_EXE};
        args.insert(args.end(), arguments.begin(), arguments.end());
        pid_ = fork();
        if (pid_ == 0) {
            const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(err, STDERR_FILENO);
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    ~Plughost() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    // The exit status; -1 when it had to be killed after `seconds`.
    int Wait(double seconds = 30) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }
    bool Running() { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

  private:
    pid_t pid_ = -1;
};

// The centre of a control of a template, in pixels from its window's top-left corner, laid out
// with the same font as plughost's windows.
struct Point {
    int x, y;
};
Point CentreOf(const DialogTemplate& t, int id, int left = 0, int top = 0) {
    const DialogBaseUnits base = gui::MeasureBaseUnits(PointsToPixels(t.pointSize));
    for (std::size_t i = 0; i < t.controlCount; ++i) {
        const ControlTemplate& c = t.controls[i];
        if (c.id != id) continue;
        const PixelRect r = DialogUnitsToPixels(c.x, c.y, c.w, c.h, base);
        return {left + r.x + r.w / 2, top + r.y + r.h / 2};
    }
    ADD_FAILURE() << "no control " << id;
    return {0, 0};
}

// Where the main window puts a panel page: right of the 300-pixel scene list, under a 20-pixel
// title.
constexpr int kPanelLeft = 312, kPanelTop = 26;

class PlughostWindows : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(gui::OpenDisplay(error)) << error;
    }

    std::vector<std::string> ExportArgs(const std::string& output) {
        return {"export",    SAMPLE_SCENE, output,      "--gui",
                "--plugins", PLUGIN_DIR,   "--plugcfg", folder_ / "cfg"};
    }
    void Click(unsigned long window, const DialogTemplate& t, int id) {
        const Point p = CentreOf(t, id);
        x::ClickIn(window, p.x, p.y);
    }

    // Message boxes open in the middle of the screen, over the window that opened them; the
    // keyboard goes to the window under the pointer.
    static void PointAtScreenMiddle() {
        support::testing::RunProgram({"xdotool", {"mousemove", "--sync", "640", "512"}});
    }
    // Ticks "Panning camera" (1008) on a panel page in the main window and types a new width
    // (1018).
    static void TickPanningAndTypeWidth(unsigned long main, const DialogTemplate& page,
                                        const std::string& width) {
        const Point panning = CentreOf(page, 1008, kPanelLeft, kPanelTop);
        const Point field = CentreOf(page, 1018, kPanelLeft, kPanelTop);
        x::ClickIn(main, panning.x - 40, panning.y);  // on the box, left of the text's middle
        x::ClickIn(main, field.x, field.y);
        x::Key("ctrl+a");
        x::Type(width);
    }

    TempFolder folder_;
    const DialogTemplate& bone_ = resources::BoneOptionsTemplate();
    const DialogTemplate& rule_ = resources::RuleEditorTemplate();
};

TEST_F(PlughostWindows, BoneExportWithARuleAddedAndTheEndFrameMoved) {
    const std::string output = folder_ / "out.bon";
    Plughost plughost(ExportArgs(output), folder_ / "err.txt");
    const unsigned long dialog = x::WaitForWindow("Bone Export Options");
    ASSERT_NE(dialog, 0u) << ReadFile(folder_ / "err.txt");

    Click(dialog, bone_, resources::kIdcRuleAdd);
    const unsigned long editor = x::WaitForWindow("Add Rule");
    ASSERT_NE(editor, 0u);
    Click(editor, rule_, resources::kIdcWildcard);
    x::Type("Bip01*");
    x::Key("Return");  // the rule editor's default button
    ASSERT_TRUE(x::WaitForWindowGone("Add Rule"));

    // The end slider opens at the last frame, 40; ten steps left make it 30.
    const Point end = CentreOf(bone_, resources::kIdcEndSlider);
    const DialogBaseUnits base = gui::MeasureBaseUnits(PointsToPixels(bone_.pointSize));
    const PixelRect slider = DialogUnitsToPixels(229, 55, 105, 15, base);
    x::ClickIn(dialog, slider.x + slider.w - 4, end.y);
    x::Key("Left", 10);
    Click(dialog, bone_, kIdOk);

    ASSERT_EQ(plughost.Wait(), 0) << ReadFile(folder_ / "err.txt");
    const auto settings = ReadCrLfLines(folder_ / "cfg/quellstone.ini");
    ASSERT_GE(settings.size(), 3u);
    EXPECT_EQ(settings[0], "5");
    EXPECT_EQ(settings[1], "1");
    EXPECT_EQ(settings[2], "+Bip01*");
    const auto bon = ReadCrLfLines(output);
    ASSERT_GE(bon.size(), 4u);
    EXPECT_EQ(bon[2], "// numBones,numFrames");
    EXPECT_EQ(bon[3], "24,31");
}

TEST_F(PlughostWindows, EscapeCancelsTheOptionsDialogAndNothingIsWritten) {
    const std::string output = folder_ / "out.bon";
    Plughost plughost(ExportArgs(output), folder_ / "err.txt");
    const unsigned long dialog = x::WaitForWindow("Bone Export Options");
    ASSERT_NE(dialog, 0u) << ReadFile(folder_ / "err.txt");
    Click(dialog, bone_, resources::kIdcIgnoreHidden);  // a change that Cancel must drop
    x::Key("Escape");
    EXPECT_EQ(plughost.Wait(), 0) << ReadFile(folder_ / "err.txt");
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "cfg/quellstone.ini"));
}

TEST_F(PlughostWindows, AScaleThatIsNoNumberShowsAMessageBoxAndKeepsTheDialogOpen) {
    Plughost plughost(ExportArgs(folder_ / "out.bon"), folder_ / "err.txt");
    const unsigned long dialog = x::WaitForWindow("Bone Export Options");
    ASSERT_NE(dialog, 0u) << ReadFile(folder_ / "err.txt");
    Click(dialog, bone_, resources::kIdcScaleFactor);
    x::Key("ctrl+a");
    x::Type("abc");
    Click(dialog, bone_, kIdOk);
    // The box says so on standard error too, under the dialog's title.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ReadFile(folder_ / "err.txt").find("must be a number") == std::string::npos &&
           std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_NE(ReadFile(folder_ / "err.txt").find("Bone Export Options: The scale factor must be"),
              std::string::npos);
    // The box sits in the middle of the screen, over the dialog; Return answers it.
    PointAtScreenMiddle();
    x::Key("Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(plughost.Running());
    Click(dialog, bone_, kIdCancel);
    EXPECT_EQ(plughost.Wait(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "cfg/quellstone.ini"));
}

TEST_F(PlughostWindows, CancelInTheProgressWindowStopsTheExport) {
    const std::string output = folder_ / "out.slw";
    Plughost plughost({"export", SAMPLE_SCENE, output, "--gui", "--plugins", FAKE_GUI_PLUGIN_DIR,
                       "--plugcfg", folder_ / "cfg"},
                      folder_ / "err.txt");
    const unsigned long progress = x::WaitForWindow("Slow work");
    ASSERT_NE(progress, 0u) << ReadFile(folder_ / "err.txt");
    x::ClickIn(progress, 360 - 12 - 40, 96 - 12 - 12);  // the Cancel button
    EXPECT_EQ(plughost.Wait(), 1);
    EXPECT_NE(ReadFile(folder_ / "err.txt").find("cancelled"), std::string::npos)
        << ReadFile(folder_ / "err.txt");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// The fake panel page's controls (its template lives in the fake library).
const ControlTemplate kPanelControls[] = {
    {1008, ControlKind::AutoCheckBox, "Panning camera", 11, 45, 67, 10, 0},
    {1018, ControlKind::Edit, "", 38, 57, 40, 14, 0},
    {1001, ControlKind::PushButton, "Go for it!", 20, 95, 67, 18, 0},
};
const DialogTemplate kPanel = {905, "", "MS Sans Serif", 8, 108, 160, true, kPanelControls, 3};

TEST_F(PlughostWindows, PanningCameraMakesTheHeightFollowTheWidthAndClosingSaves) {
    Plughost plughost({"utility", "FakePanel", SAMPLE_SCENE, "--gui", "--plugins",
                       FAKE_GUI_PLUGIN_DIR, "--plugcfg", folder_ / "cfg"},
                      folder_ / "err.txt");
    const unsigned long main = x::WaitForWindow("plughost - sample.json");
    ASSERT_NE(main, 0u) << ReadFile(folder_ / "err.txt");
    TickPanningAndTypeWidth(main, kPanel, "321");
    const Point go = CentreOf(kPanel, 1001, kPanelLeft, kPanelTop);
    x::ClickIn(main, go.x, go.y);
    ASSERT_NE(x::WaitForWindow("Fake panel"), 0u);
    PointAtScreenMiddle();
    x::Key("Return");
    ASSERT_TRUE(x::WaitForWindowGone("Fake panel"));
    x::RequestClose(main);
    ASSERT_EQ(plughost.Wait(), 0) << ReadFile(folder_ / "err.txt");
    EXPECT_NE(ReadFile(folder_ / "err.txt").find("Fake panel: Go 321x321"), std::string::npos);
    EXPECT_EQ(ReadFile(folder_ / "cfg/fake_panel.txt"),
              "path out\npanning 1\nwidth 321\nheight 321\nheightEnabled 0\n");
}

// The render utility's own panel (template 105 of lumenpass.dlu), where that library is built.
const ControlTemplate kRenderPanelControls[] = {
    {1008, ControlKind::AutoCheckBox, "Panning camera", 11, 121, 67, 10, 0},
    {1018, ControlKind::Edit, "", 38, 148, 40, 14, 0},
};
const DialogTemplate kRenderPanel = {105, "",   "MS Sans Serif",      8, 108,
                                     258, true, kRenderPanelControls, 2};

TEST_F(PlughostWindows, RenderPanelPanningCameraMakesTheHeightFollowTheWidth) {
    if (!std::filesystem::exists(std::string(PLUGIN_DIR) + "/lumenpass.dlu"))
        GTEST_SKIP() << "the render utility lumenpass.dlu is not built";
    Plughost plughost({"utility", "VTR Camera Renderer", SAMPLE_SCENE, "--gui", "--plugins",
                       PLUGIN_DIR, "--plugcfg", folder_ / "cfg"},
                      folder_ / "err.txt");
    const unsigned long main = x::WaitForWindow("plughost - sample.json");
    ASSERT_NE(main, 0u) << ReadFile(folder_ / "err.txt");
    TickPanningAndTypeWidth(main, kRenderPanel, "321");
    x::RequestClose(main);
    ASSERT_EQ(plughost.Wait(), 0) << ReadFile(folder_ / "err.txt");
    // Closing the panel saved what it showed: panning on, the height equal to the width.
    const auto settings = ReadCrLfLines(folder_ / "cfg/lumenpass.ini");
    ASSERT_EQ(settings.size(), 18u);
    EXPECT_EQ(settings[15], "1");
    EXPECT_EQ(settings[17].substr(0, 8), "321,321,");
}

TEST(PlughostGuiOption, WithoutADisplayItIsAUsageError) {
    TempFolder folder;
    const auto run =
        support::testing::RunProgram({PLUGHOST_EXE,
                                      {"export", SAMPLE_SCENE, folder / "out.bon", "--gui",
                                       "--plugins", PLUGIN_DIR, "--plugcfg", folder / "cfg"},
                                      {},
                                      "",
                                      {{"DISPLAY", ""}}});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--gui: no X display"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bon"));
}

TEST(PlughostGuiOption, RefusesActionsMeantForTheScriptedDialogs) {
    TempFolder folder;
    const auto run = support::testing::RunProgram(
        {PLUGHOST_EXE,
         {"export", SAMPLE_SCENE, folder / "out.bon", "--gui", "--rules", "+A*", "--plugins",
          PLUGIN_DIR, "--plugcfg", folder / "cfg"}});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--gui"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace plughost
