#include "camweave/scene_cameras.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace camweave {
namespace {

using support::testing::TempFolder;
using support::testing::WriteFile;

TEST(SceneCameras, EveryTruncatedSceneStopsOrCompletes) {
    const std::string scene =
        "LWSC\n1\nCameraMotion (unnamed)\n  9\n  1\n  0 2 -5 0 0 0 1 1 1\n  0 0 0 0 0\n"
        "EndBehavior 1\nZoomFactor (envelope)\n  1\n  1\n  3\n  0 0 0 0 0\nEndBehavior 1\nEnd\n";
    std::vector<CameraRecord> cameras(2);
    TempFolder folder;
    for (std::size_t size = 0; size <= scene.size(); ++size) {
        WriteFile(folder / "s.lws", scene.substr(0, size));
        std::ostringstream console;
        const support::Status status =
            WriteSceneCameras(folder / "s.lws", folder / "new", cameras, console);
        // Complete once the zoom envelope's end is there, or when the zoom line is cut before
        // "velope" and so reads as a constant zoom; otherwise one of the named stops.
        const std::size_t zoom = scene.find("ZoomFactor");
        const bool constantZoom = size >= zoom + 10 && size < zoom + 20;
        const bool complete = constantZoom || size >= scene.find("EndBehavior 1\nEnd") + 13;
        EXPECT_EQ(status.ok(), complete) << size << ": " << status.error();
        if (!complete) {
            EXPECT_EQ(status.error().rfind("Can't find ", 0), 0u) << size;
        }
    }
}

}  // namespace
}  // namespace camweave
