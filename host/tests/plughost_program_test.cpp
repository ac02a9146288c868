// End-to-end runs of the built plughost with fake plug-in libraries.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/testing/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class PlughostProgram : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = folder_.Path();
        Write("scene.json", R"({"frameRate": 30, "range": [0, 10], "time": 2,
          "root": {"name": "Root", "children": [
            {"name": "Mover", "positionKeys": [[0, 0, 0, 0], [10, 10, 0, 0]]},
            {"name": "Poly", "hidden": true, "object": {"type": "poly", "vertices": [[0,0,0],[1,0,0]]}},
            {"name": "Textured", "material": {"type": "standard", "diffuseMap": "tex/rgb8.png"}},
            {"name": "Untextured", "material": {"type": "standard", "diffuseMap": "missing.png"}}]}})");
        fs::create_directories(dir_ / "tex");
        fs::copy_file(fs::path(TEST_DATA_DIR) / "rgb8.png", dir_ / "tex/rgb8.png");
    }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    fs::path Path(const std::string& name) const { return dir_ / name; }

    // Runs plughost with the arguments (already quoted for the shell).
    Result Run(const std::string& args, const std::string& env = "") const {
        const fs::path out = dir_ / "stdout.txt", err = dir_ / "stderr.txt";
        const std::string command = "cd '" + dir_.string() + "' && " + env +
                                    " PLUGHOST_PLUGINS= PLUGHOST_PLUGCFG= HOME='" + dir_.string() +
                                    "' '" PLUGHOST_EXE "' " + args + " >'" + out.string() +
                                    "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(out);
        r.err = Slurp(err);
        return r;
    }

    std::string Fakes() const {
        return "--plugins '" FAKE_PLUGIN_DIR "' --plugcfg '" + (dir_ / "cfg").string() + "'";
    }

    support::testing::TempFolder folder_;  // unique to this process, removed afterwards
    fs::path dir_;
};

}  // namespace

TEST_F(PlughostProgram, UsageErrorsExitWith2) {
    EXPECT_EQ(Run("").status, 2);
    EXPECT_EQ(Run("frobnicate").status, 2);
    EXPECT_EQ(Run("export scene.json").status, 2);
    EXPECT_EQ(Run("export scene.json out.fak --rotate180 2").status, 2);
    const Result r = Run("export scene.json out.fak --frames 1-3 " + Fakes());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--frames: expected A:B"), std::string::npos) << r.err;
    EXPECT_EQ(Run("--help").status, 0);
}

TEST_F(PlughostProgram, SceneFaultsExitWith2AndNameTheFile) {
    Result r = Run("export missing.json out.fak " + Fakes());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "plughost: missing.json: cannot open the scene file (No such file or directory)\n");
    Write("bad.json", R"({"root": {"children": [{}, {}, {"rotation": [1, 2, 3]}]}})");
    r = Run("export bad.json out.fak " + Fakes());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "plughost: bad.json: root.children[2].rotation: expected 4 numbers\n");
    EXPECT_FALSE(fs::exists(Path("out.fak")));
}

TEST_F(PlughostProgram, ListWithoutAPluginFolder) {
    const Result r = Run("list --plugins nowhere");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("nowhere: cannot read the plug-in folder"), std::string::npos) << r.err;
    fs::create_directories(Path("empty"));
    const Result empty = Run("list --plugins empty");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_NE(empty.err.find("no plug-in libraries in empty"), std::string::npos);
}

TEST_F(PlughostProgram, ListShowsLibrariesAndClassesAndSkipsBrokenLibraries) {
    const Result r = Run("list " + Fakes());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("fake_exporter.dle\n"
                         "  description: Fake plug-ins for plughost's tests\n"
                         "  version: 0x09C40500\n"
                         "  classes: 2\n"
                         "  class 0: FakExp\n"
                         "    super class: 0xA20\n"
                         "    class id: 0x1234ABCD, 0x00000000\n"
                         "    category: Fake\n"
                         "    extension: FAK\n"
                         "    long description: Fake node name exporter\n"
                         "    short description: Fake exporter\n"
                         "  class 1: FakeUtility\n"
                         "    super class: 0x1020\n"
                         "    class id: 0x00005678, 0x00009ABC\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("fake_second.dle\n"), std::string::npos);
    EXPECT_EQ(r.out.find("fake_no_version"), std::string::npos);
    EXPECT_NE(r.err.find("fake_no_version.dle: not a plug-in library (no LibVersion export)"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("fake_refuses.dle: the library refused to load"), std::string::npos);
}

TEST_F(PlughostProgram, ExportPicksTheFirstExporterOfTheExtensionIgnoringCase) {
    const Result r = Run("export scene.json out.Fak " + Fakes());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = Slurp(Path("out.Fak"));
    EXPECT_EQ(text.find("second exporter"), std::string::npos);
    EXPECT_NE(text.find("range 0 1600 time 320 tpf 160 cfg " + (dir_ / "cfg").string() + "\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Root hidden=0 at 0 0 0\n"), std::string::npos);
    EXPECT_NE(text.find("Mover hidden=0 at 2 0 0\n"), std::string::npos);
    EXPECT_NE(text.find("Poly hidden=1 at 0 0 0 object 10 vertices 2\n"), std::string::npos);
    EXPECT_NE(text.find("Textured hidden=0 at 0 0 0 bitmap 2x1\n"), std::string::npos);
    EXPECT_NE(text.find("Untextured hidden=0 at 0 0 0 bitmap status 1\n"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(Path("cfg")));
    // Progress lines, the message box echo, and no complaint about leaks.
    EXPECT_NE(r.err.find("Faking: 0%\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Faking: 100%\n"), std::string::npos);
    EXPECT_NE(r.err.find("Fake: exported 5 nodes\n"), std::string::npos);
    EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;
}

TEST_F(PlughostProgram, FrameAndRangeOverrideTheScene) {
    const Result r = Run("export scene.json out.FAK --frame 5.5 --range 1:4 " + Fakes());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = Slurp(Path("out.FAK"));
    EXPECT_NE(text.find("range 160 640 time 880 "), std::string::npos) << text;
    EXPECT_NE(text.find("Mover hidden=0 at 5.5 0 0\n"), std::string::npos);
    EXPECT_EQ(Run("export scene.json out.FAK --range 4:1 " + Fakes()).status, 2);
}

TEST_F(PlughostProgram, PlugCfgComesFromTheEnvironmentOrTheHomeFolder) {
    Result r = Run("export scene.json a.fak --plugins '" FAKE_PLUGIN_DIR "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Slurp(Path("a.fak")).find("cfg " + (dir_ / ".config/plughost/plugcfg").string()),
              std::string::npos);
    r = Run("export scene.json b.fak --plugins '" FAKE_PLUGIN_DIR "'",
            "export PLUGHOST_PLUGCFG=envcfg &&");
    ASSERT_EQ(r.status, 0) << r.err;
}

TEST_F(PlughostProgram, NoExporterForTheExtension) {
    Result r = Run("export scene.json out.xyz " + Fakes());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no exporter for the extension \"xyz\""), std::string::npos) << r.err;
    r = Run("export scene.json noextension " + Fakes());
    EXPECT_EQ(r.status, 2);
}

TEST_F(PlughostProgram, CancelAtAProgressPointFailsTheExportWithStatus1) {
    Result r = Run("export scene.json out.fak --cancel-at 'Faking:40' " + Fakes());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_FALSE(fs::exists(Path("out.fak")));
    EXPECT_NE(
        r.err.find("the export to out.fak failed (the exporter returned 0; it was cancelled)"),
        std::string::npos);
    r = Run("export scene.json out.fak " + Fakes(), "PLUGHOST_CANCEL_AT='Faking:0'");
    EXPECT_EQ(r.status, 1) << r.err;
    r = Run("export scene.json out.fak --cancel-at-poll 2 " + Fakes());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(Run("export scene.json out.fak --cancel-at Faking " + Fakes()).status, 2);
}

TEST_F(PlughostProgram, UnwritableOutputFailsWithStatus1) {
    const Result r = Run("export scene.json no/such/dir/out.fak " + Fakes());
    EXPECT_EQ(r.status, 1) << r.err;
}

TEST_F(PlughostProgram, UnusedUiActionsAreReported) {
    const Result r = Run("export scene.json out.fak --ui 'click 5' " + Fakes());
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("1 --ui action was not used"), std::string::npos) << r.err;
    EXPECT_EQ(Run("export scene.json out.fak --ui 'click x' " + Fakes()).status, 2);
}

TEST_F(PlughostProgram, UtilityRunsItsPanelWithTheActions) {
    Result r =
        Run("utility FakeUtility scene.json --ui 'set 200 hello panel; click 201' " + Fakes());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Slurp(Path("cfg/fake_utility.txt")), "hello panel");
    r = Run("utility NoSuchUtility scene.json " + Fakes());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no utility class named \"NoSuchUtility\""), std::string::npos);
}
