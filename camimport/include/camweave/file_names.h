#pragma once

#include <string>

namespace camweave {

// The names one run works with.
struct RunFileNames {
    std::string lws, lc, backup, batch;
};

// Derives the run's names from the command line: the scene gets ".lws" when it has no extension;
// the camera list is `lcArgument` (with ".lc" added when it has no extension) or, when that is
// empty, the scene's drive, folder and base name with ".lc"; the backup is the scene with ".bak";
// the batch file is "<base>_rename_cameras.bat" beside the scene.
RunFileNames DeriveFileNames(const std::string& lwsArgument, const std::string& lcArgument);

}  // namespace camweave
