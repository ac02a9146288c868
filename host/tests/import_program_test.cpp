// End-to-end: the built plughost exports a .BON file from a real 3D file with the real
// exporter library.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "import_test_scenes.h"

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int status = -1;
    std::string err;
};

RunResult Plughost(const fs::path& dir, const std::string& args) {
    const fs::path err = dir / "stderr.txt";
    const std::string command = "cd '" + dir.string() + "' && PLUGHOST_PLUGCFG='" +
                                (dir / "cfg").string() + "' '" PLUGHOST_EXE "' " + args +
                                " --plugins '" PLUGIN_DIR "' >/dev/null 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    std::ifstream in(err, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text.str()};
}

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(ImportProgram, ExportsBonesFromAGltfFile) {
    const fs::path dir = import_test::TestFolder();
    ASSERT_EQ(import_test::WriteScene(import_test::AnimatedSkeleton(), "gltf2", dir / "walk.gltf"),
              "");
    const RunResult run = Plughost(dir, "export walk.gltf walk.bon --rules '+*'");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(dir / "walk.bon");
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[3], "3,61\r");  // three named nodes over frames 0 to 60
    EXPECT_EQ(lines[5], "\"Root\", -1\r");
    EXPECT_EQ(lines[6], "\"Hips\", 0\r");
    EXPECT_EQ(lines[7], "\"Spine\", 1\r");
    EXPECT_EQ(lines.size(), 9u + 3 * 61 * 4);
}

TEST(ImportProgram, UnreadableFileExitsWith2AndNamesIt) {
    const fs::path dir = import_test::TestFolder();
    std::ofstream(dir / "broken.obj", std::ios::binary) << "garbage";
    RunResult run = Plughost(dir, "export broken.obj out.bon");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("plughost: broken.obj: cannot import the scene: "), std::string::npos)
        << run.err;
    run = Plughost(dir, "export missing.fbx out.bon");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("plughost: missing.fbx: cannot open the scene file"), std::string::npos)
        << run.err;
    EXPECT_FALSE(fs::exists(dir / "out.bon"));
}
