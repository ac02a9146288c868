#include "run.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "camera_list.h"
#include "rename_batch.h"
#include "scene_cameras.h"
#include "scene_replace.h"

namespace {

// Deletes the working scene once this run has begun to write it. A file of that name found
// before then may be anything, even the user's own scene, and is left alone.
void DeleteWorkingScene() {
    const RunState& run = TheRun();
    if (!run.writingStarted) return;
    std::error_code ec;
    if (std::filesystem::equivalent(kWorkingScene, run.names.lws, ec)) return;
    std::filesystem::remove(kWorkingScene, ec);
}

void Check(const Status& status) {
    if (!status.ok()) FatalError(status.error);
}

}  // namespace

RunState& TheRun() {
    static RunState run;
    return run;
}

void Cleanup() {
    TheRun().cameras.clear();
    TheRun().cameras.shrink_to_fit();
}

void FatalError(const std::string& message) {
    Cleanup();
    DeleteWorkingScene();
    std::cout << "\n\nERROR:\n" << message << "\n" << std::flush;
    std::exit(1);
}

void ShowUsage() {
    Cleanup();
    DeleteWorkingScene();
    std::cout << kUsageText << std::flush;
    std::exit(1);
}

int RunCamweave(const std::vector<std::string>& arguments) {
    RunState& run = TheRun();
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.settings) {
        std::cout << parsed.usageMessage;
        ShowUsage();
    }
    run.settings = *parsed.settings;
    run.names = DeriveFileNames(run.settings.lwsArgument, run.settings.lcArgument);
    // A scene named like its own backup would be deleted by the backup step.
    if (run.names.lws == run.names.backup) {
        FatalError("Can't back up " + run.names.lws + " to itself");
    }

    Check(
        ReadCameraList(run.names.lc, run.names.lws, run.settings.panning, std::cout, run.cameras));
    run.writingStarted = true;
    Check(WriteSceneCameras(run.names.lws, kWorkingScene, run.cameras, std::cout));
    if (!run.settings.renamePrefix.empty()) {
        Check(WriteRenameBatch(run.names.batch, run.cameras, run.settings.renamePrefix,
                               run.settings.converterMode, std::cout));
    }
    Cleanup();
    Check(ReplaceScene(run.names.lws, run.names.backup, kWorkingScene, std::cout));
    std::cout << "OK\n" << std::flush;
    return 0;
}
