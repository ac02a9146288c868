#pragma once
// A Bone export against the in-memory host: the library's dialogs registered, the settings
// file in a temporary plug-in configuration folder, the options dialog driven by a script.
#include <gtest/gtest.h>

#include <filesystem>

#include "frame/export_settings.h"
#include "frame/plugin_state.h"
#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"
#include "frame/testing/test_support.h"
#include "resources/quellstone_resources.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

inline constexpr int kTicks = 160;

class BoneExportTest : public ::testing::Test {
  protected:
    BoneExportTest() : module_(QuellstoneResources()), root_(std::nullopt) {
        host_.plugConfigDir = dir_.Path().string();
        host_.root = &root_;
        host_.animRange = {0, 9 * kTicks};
        LibrarySettings() = ExportSettings{};
    }
    ~BoneExportTest() override {
        SetLibraryHost(nullptr);
        LibrarySettings() = ExportSettings{};
    }

    // Writes quellstone.ini with these rules and options.
    void WriteSettings(const std::vector<std::string>& rules, int ignoreHidden = 0,
                       const char* scale = "1", int rotate = 0) {
        std::string text = "5\r\n" + std::to_string(rules.size()) + "\r\n";
        for (const auto& r : rules) text += r + "\r\n";
        text += std::to_string(ignoreHidden) + "\r\n" + scale + "\r\n" + std::to_string(rotate) +
                "\r\n0\r\n";
        WriteFile(SettingsPath(), text);
    }
    std::string SettingsPath() const { return dir_.File("quellstone.ini"); }
    std::string OutPath() const { return dir_.File("out.BON"); }
    bool OutExists() const { return std::filesystem::exists(OutPath()); }

    TempFolder dir_;
    ScopedModule module_;
    FakeHost host_;
    FakeNode root_;
    std::vector<std::string> messages_;

  private:
    ScopedTicksPerFrame ticks_{kTicks};
};

}  // namespace skeleton
