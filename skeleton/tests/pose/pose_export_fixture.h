#pragma once
// A Pose export against an in-memory host: the scene built by plughost's JSON scene loader (or
// by hand from its node type), the library's dialogs registered, the settings file in a
// temporary plug-in configuration folder and the options dialog driven by a script.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frame/export_settings.h"
#include "frame/plugin_state.h"
#include "frame/testing/fake_host.h"
#include "frame/testing/test_support.h"
#include "plughost/scene.h"
#include "plughost/scene_loader.h"
#include "pose_fakes.h"
#include "resources/quellstone_resources.h"
#include "skeleton/pose_exporter.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

inline constexpr int kTicks = 160;

// The 4-vertex, 2-face mesh most tests skin: a square of 12 units in the x-z plane, face 0 with
// material id `id0` and face 1 with `id1`, texture vertices unless `textured` is false.
inline std::string SquareMesh(const char* type = "mesh", int id0 = 0, int id1 = 1,
                              bool textured = true) {
    std::string json = std::string("{\"type\": \"") + type +
                       "\", \"vertices\": [[0,0,0],[12,0,0],[12,0,12],[0,0,12]], "
                       "\"faces\": [[0,1,2," +
                       std::to_string(id0) + "],[0,2,3," + std::to_string(id1) + "]]";
    if (textured)
        json += ", \"tverts\": [[0.25,0.75],[1,0],[0,1],[0.5,0.5]], \"tvfaces\": [[0,1,2],[0,2,3]]";
    return json + "}";
}

// A scene of two bones and the skinned node "Body" with `body` members added (object,
// modifiers, material...), and `extraNodes` (comma-separated node objects) after it.
inline std::string BodyScene(const std::string& body, const std::string& extraNodes = "") {
    return "{\"frameRate\": 30, \"range\": [0, 20], \"time\": 10, \"root\": {\"children\": ["
           "{\"name\": \"Bip01\", \"position\": [0, 0, 36], \"children\": ["
           "{\"name\": \"Bip01 Spine\", \"position\": [0, 0, 12]}]},"
           "{\"name\": \"Body\", " +
           body + "}" + (extraNodes.empty() ? "" : "," + extraNodes) + "]}}";
}

inline const std::string kPhysique = "\"modifiers\": [{\"type\": \"physique\"}]";

class PoseExportTest : public ::testing::Test {
  protected:
    PoseExportTest() : module_(QuellstoneResources()), bitmaps_(&manager_) {
        previousTicks_ = GetTicksPerFrame();
        SetTicksPerFrame(kTicks);
        host_.plugConfigDir = dir_.Path().string();
        LibrarySettings() = ExportSettings{};
    }
    ~PoseExportTest() override {
        SetTicksPerFrame(previousTicks_);
        SetLibraryHost(nullptr);
        LibrarySettings() = ExportSettings{};
    }

    void LoadScene(const std::string& json) {
        plughost::SceneLoadResult loaded = plughost::LoadSceneText(json, dir_.File("scene.json"));
        ASSERT_TRUE(loaded.scene) << loaded.error;
        scene_ = std::move(loaded.scene);
        host_.root = scene_->root.get();
        host_.time = scene_->time;
        host_.animRange = scene_->range;
    }
    // The first node of this name, depth first.
    plughost::HostNode* Node(const std::string& name) { return Find(scene_->root.get(), name); }
    // Puts `base` under a derived object with one Physique modifier (with a context) on `node`.
    static void Skin(plughost::HostNode* node, std::unique_ptr<HostObject> base);

    // Writes quellstone.ini with these rules and options.
    void WriteSettings(const std::vector<std::string>& rules, int ignoreHidden = 0,
                       int textures = 0, const char* scale = "1") {
        std::string text = "5\r\n" + std::to_string(rules.size()) + "\r\n";
        for (const auto& r : rules) text += r + "\r\n";
        text += std::to_string(ignoreHidden) + "\r\n" + scale + "\r\n0\r\n" +
                std::to_string(textures) + "\r\n";
        WriteFile(dir_.File("quellstone.ini"), text);
    }

    // One export to `path` (out.POS in the temporary folder by default) with the dialog script
    // `actions`; the messages shown land in messages_.
    int Export(const std::string& actions = "", const std::string& path = "") {
        ScriptedUiDriver driver = ScriptFromText(actions);
        ScopedUiDriver installed(&driver);
        PoseExporter exporter;
        const int result =
            exporter.DoExport((path.empty() ? OutPath() : path).c_str(), nullptr, &host_, false);
        messages_ = driver.Messages();
        return result;
    }

    std::string OutPath() const { return dir_.File("out.POS"); }
    bool OutExists() const { return std::filesystem::exists(OutPath()); }
    std::vector<std::string> Lines() const { return ReadCrLfLines(OutPath()); }
    // The lines after the comment line `header` up to the next comment line or the end.
    std::vector<std::string> Section(const std::string& header) const;
    std::vector<std::string> Triangles() const {
        return Section("// triList: textureIndex,vertices(index, texX, texY)");
    }
    std::vector<std::string> Textures() const { return Section("// texture list: name"); }
    // The line after "// textureCount, vertexCount, triCount".
    std::string Counts() const { return Section("// textureCount, vertexCount, triCount").at(0); }
    int ProgressEnds() const;

    TempFolder dir_;
    ScopedModule module_;
    FakeBitmapManager manager_;
    ScopedBitmapManager bitmaps_;
    FakeHost host_;
    std::unique_ptr<plughost::Scene> scene_;
    std::vector<std::string> messages_;

  private:
    static plughost::HostNode* Find(plughost::HostNode* node, const std::string& name);
    int previousTicks_;
};

}  // namespace skeleton
