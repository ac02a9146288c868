// End-to-end: the built plughost exports a .BON file from a real 3D file with the real
// exporter library.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
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

// The line after `comment`, or "" when there is none.
std::string LineAfter(const std::vector<std::string>& lines, const std::string& comment) {
    const auto at = std::find(lines.begin(), lines.end(), comment + "\r");
    return at == lines.end() || at + 1 == lines.end() ? "" : *(at + 1);
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

TEST(ImportProgram, InvisibleNodesAreLeftOutWhenHiddenNodesAreIgnored) {
    const fs::path dir = import_test::TestFolder();
    import_test::SceneSpec s = import_test::AnimatedSkeleton();
    s.root.children.push_back({"Prop", aiMatrix4x4(), {}, {}});
    ASSERT_EQ(import_test::WriteScene(s, "gltf2", dir / "walk.gltf"), "");
    import_test::EditGltf(dir / "walk.gltf", [](nlohmann::json& doc) {
        for (auto& node : doc["nodes"])
            if (node["name"] == "Prop")
                node["extensions"]["KHR_node_visibility"]["visible"] = false;
    });
    RunResult run = Plughost(dir, "export walk.gltf walk.bon --rules '+*' --ignore-hidden 1");
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines = Lines(dir / "walk.bon");
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[3], "3,61\r");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "\"Prop\", 0\r"), 0);

    run = Plughost(dir, "export walk.gltf walk.bon --rules '+*' --ignore-hidden 0");
    ASSERT_EQ(run.status, 0) << run.err;
    lines = Lines(dir / "walk.bon");
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[3], "4,61\r");
}

TEST(ImportProgram, MergedSkinsExportAsOnePose) {
    const fs::path dir = import_test::TestFolder();
    ASSERT_EQ(import_test::WriteScene(import_test::SplitCharacter(), "glb2", dir / "hero.glb"), "");
    RunResult run = Plughost(dir, "export hero.glb hero.pos --rules '+*' --textures 0");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Found more than one physiqued model!"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "hero.pos"));

    run = Plughost(dir, "export hero.glb hero.pos --rules '+*' --textures 0 --merge-skins");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(dir / "hero.pos");
    // Three vertices and one triangle of the legs, four and two of the torso; the torso's map.
    EXPECT_EQ(LineAfter(lines, "// textureCount, vertexCount, triCount"), "1, 7, 3\r");
    EXPECT_EQ(LineAfter(lines, "// texture list: name"), "skin.png\r");
}

TEST(ImportProgram, EmbeddedImageReachesThePoseTexturesAndItsTarga) {
    const fs::path dir = import_test::TestFolder();
    import_test::SceneSpec s = import_test::SplitCharacter();
    s.materials[1].diffuseMap = "*0";
    s.images = {{"skin", import_test::SolidPng(2, 2, 10, 20, 30), "png"}};
    ASSERT_EQ(import_test::WriteScene(s, "glb2", dir / "hero.glb"), "");
    fs::create_directories(dir / "out");
    const RunResult run =
        Plughost(dir, "export hero.glb out/hero.pos --rules '+*' --textures 1 --merge-skins");
    ASSERT_EQ(run.status, 0) << run.err;
    // Written beside the output, named in the texture list by its full path.
    const fs::path png = fs::absolute(dir / "out" / "skin.png");
    EXPECT_EQ(import_test::ReadBytes(png), s.images[0].bytes);
    const std::vector<std::string> lines = Lines(dir / "out" / "hero.pos");
    EXPECT_EQ(LineAfter(lines, "// texture list: name"), png.string() + "\r");
    // The torso's two triangles name texture 0.
    const std::string triangles =
        LineAfter(lines, "// triList: textureIndex,vertices(index, texX, texY)");
    EXPECT_EQ(triangles.rfind("-1, ", 0), 0u) << triangles;  // the legs have no map
    // The Targa file: 2 x 2 at 24 bits, blue, green, red.
    const std::string tga = import_test::ReadBytes(dir / "out" / "skin.tga");
    ASSERT_EQ(tga.size(), 18u + 2 * 2 * 3);
    EXPECT_EQ(tga[12], 2);
    EXPECT_EQ(tga[14], 2);
    EXPECT_EQ(tga[16], 24);
    EXPECT_EQ(tga.substr(18, 3), std::string("\x1e\x14\x0a"));
}
