#include "run.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "camera_list.h"
#include "rename_batch.h"
#include "scene_cameras.h"
#include "scene_replace.h"

namespace {

// Whether `path` may be the scene the user named: an argument as given or with ".lws" added.
bool MayBeTheUsersScene(const std::filesystem::path& path) {
    std::error_code ec;
    for (const std::string& argument : TheRun().arguments) {
        if (std::filesystem::equivalent(path, argument, ec) ||
            std::filesystem::equivalent(path, argument + ".lws", ec))
            return true;
    }
    return false;
}

// Deletes the working scene "$$temp$$.lws" on every stop: the name is this program's own
// working file, so one left by an earlier run is stale. Only a regular file or a symbolic link
// (the link itself) goes, never a folder or a device, and never a file the command line may name
// as the scene.
void DeleteWorkingScene() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(kWorkingScene, ec);
    if (!fs::is_regular_file(status) && !fs::is_symlink(status)) return;
    if (MayBeTheUsersScene(kWorkingScene)) return;
    fs::remove(kWorkingScene, ec);
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
    run.arguments = arguments;
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
