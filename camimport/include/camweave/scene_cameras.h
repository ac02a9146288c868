#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "camweave/camera_record.h"
#include "camweave/text_file.h"
#include "support/result.h"

namespace camweave {

// The working file the new scene text is written to, in the current directory.
inline const std::string kWorkingScene = "$$temp$$.lws";

// Copies the LightWave scene `lwsName` to `tempName`, keying one camera record per frame (frame
// i + 1 for record i) after the old first key of the camera motion, and replacing the camera's
// zoom factor (a constant or an envelope) by an envelope with one key per record. Every other
// line is copied byte for byte; each written line ends in CR LF, a last line without a line end
// keeps none. Stops without touching the scene when the camera block, its end, or its zoom
// factor cannot be found, or when a write fails. Prints the closing count to `console`.
support::Status WriteSceneCameras(const std::string& lwsName, const std::string& tempName,
                                  const std::vector<CameraRecord>& cameras, std::ostream& console);

// The rewrite of WriteSceneCameras from an open scene to an open output, which stays open;
// `lwsName` names the scene in the messages.
support::Status RewriteSceneCameras(LineReader& in, TextWriter& out,
                                    const std::vector<CameraRecord>& cameras,
                                    const std::string& lwsName);

}  // namespace camweave
