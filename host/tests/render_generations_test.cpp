// Plug-ins built for the older and the newer interface generation, loaded into one host, each
// render through the calls and view record of its own generation.
#include <gtest/gtest.h>

#include "plughost/bitmap_manager.h"
#include "plughost/host_app.h"
#include "plughost/plugin_registry.h"
#include "render_test_support.h"

using namespace plughost;
using namespace render_test;

TEST(RenderGenerations, BothGenerationsRenderInOneHost) {
    Scene scene;
    scene.root = std::make_unique<HostNode>();
    AddCamera(*scene.root, "Camera", {0, 0, 0});
    AddBox(*scene.root, "Ahead", {0, 0, -10}, 4.0f, kRed);
    AddBox(*scene.root, "Behind", {0, 0, 10}, 4.0f, kGreen);
    std::ostringstream log;
    ProgressDisplay progress(log, false);
    HostSettings settings;
    settings.messages = &log;
    PlugHost host(scene, settings, progress);
    HostBitmapManager bitmaps(".");
    BitmapManager* previousManager = TheManager;
    TheManager = &bitmaps;
    ScriptedUiDriver driver;
    UiDriver* previousDriver = SetUiDriver(&driver);

    {
        PluginRegistry registry;
        std::vector<std::string> errors;
        ASSERT_TRUE(registry.LoadFolder(FAKE_RENDER_PLUGIN_DIR, errors));
        EXPECT_TRUE(errors.empty()) << errors.front();
        ASSERT_EQ(registry.Libraries().size(), 2u);
        for (const char* name : {"FakeRender5", "FakeRender7"}) {
            const PluginClass found = registry.FindUtility(name);
            ASSERT_NE(found.descriptor, nullptr) << name;
            auto* utility = static_cast<UtilityPlugin*>(found.descriptor->Create(false));
            UtilityPanel* panel = nullptr;
            utility->BeginEditParams(&host, panel);
            utility->EndEditParams(&host, panel);
            utility->DeleteThis();
        }
    }
    SetUiDriver(previousDriver);
    TheManager = previousManager;
    EXPECT_EQ(driver.Messages(), (std::vector<std::string>{"FakeRender5: camera red, view green",
                                                           "FakeRender7: camera red, view green"}))
        << log.str();
    EXPECT_FALSE(host.RendererOpen());
    EXPECT_EQ(LiveBitmaps(), 0);
}
