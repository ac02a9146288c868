#include "camweave/run.h"

#include <filesystem>

#include "camweave/camera_list.h"
#include "camweave/camera_record.h"
#include "camweave/command_line.h"
#include "camweave/file_names.h"
#include "camweave/rename_batch.h"
#include "camweave/scene_cameras.h"
#include "camweave/scene_replace.h"

namespace camweave {

namespace {

// What one run holds.
struct RunState {
    std::vector<std::string> arguments;  // as given, for the clean-up to know the user's files
    CommandLine settings;
    RunFileNames names;
    std::vector<CameraRecord> cameras;
};

// Whether `path` may be the scene the user named: an argument as given or with ".lws" added.
bool MayBeTheUsersScene(const RunState& run, const std::filesystem::path& path) {
    std::error_code ec;
    for (const std::string& argument : run.arguments) {
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
void DeleteWorkingScene(const RunState& run) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(kWorkingScene, ec);
    if (!fs::is_regular_file(status) && !fs::is_symlink(status)) return;
    if (MayBeTheUsersScene(run, kWorkingScene)) return;
    fs::remove(kWorkingScene, ec);
}

// Releases the camera array. Files are closed by the step that opened them as it returns, so
// nothing else is left open here. Safe to call at any point of the run.
void Cleanup(RunState& run) {
    run.cameras.clear();
    run.cameras.shrink_to_fit();
}

// The one error stop: Cleanup, delete the working scene, print "\n\nERROR:\n", the message and a
// line end. Returns the exit status.
int FatalError(RunState& run, const std::string& message, std::ostream& console) {
    Cleanup(run);
    DeleteWorkingScene(run);
    console << "\n\nERROR:\n" << message << "\n" << std::flush;
    return 1;
}

// Cleanup, delete the working scene as FatalError does, print the usage text after `message`.
int ShowUsage(RunState& run, const std::string& message, std::ostream& console) {
    Cleanup(run);
    DeleteWorkingScene(run);
    console << message << kUsageText << std::flush;
    return 1;
}

}  // namespace

int RunCamweave(const std::vector<std::string>& arguments, std::ostream& console) {
    RunState run;
    run.arguments = arguments;
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (parsed.help || parsed.version) {
        console << (parsed.help ? HelpText() : VersionText()) << std::flush;
        return 0;
    }
    if (!parsed.settings) return ShowUsage(run, parsed.usageMessage, console);
    run.settings = *parsed.settings;
    run.names = DeriveFileNames(run.settings.lwsArgument, run.settings.lcArgument);
    // A scene named like its own backup would be deleted by the backup step.
    if (run.names.lws == run.names.backup) {
        return FatalError(run, "Can't back up " + run.names.lws + " to itself", console);
    }

    const bool renaming = !run.settings.renamePrefix.empty();
    support::Result<std::vector<CameraRecord>> cameras =
        ReadCameraList(run.names.lc, run.names.lws, {run.settings.panning, renaming}, console);
    if (!cameras.ok()) return FatalError(run, cameras.error(), console);
    run.cameras = std::move(*cameras);

    support::Status status = WriteSceneCameras(run.names.lws, kWorkingScene, run.cameras, console);
    if (status.ok() && renaming) {
        status = WriteRenameBatch(run.names.batch, run.cameras, run.settings.renamePrefix,
                                  run.settings.converterMode, console);
    }
    if (!status.ok()) return FatalError(run, status.error(), console);
    Cleanup(run);
    status = ReplaceScene(run.names.lws, run.names.backup, kWorkingScene, console);
    if (!status.ok()) return FatalError(run, status.error(), console);
    console << "OK\n" << std::flush;
    return 0;
}

}  // namespace camweave
