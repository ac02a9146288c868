#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "camera_record.h"
#include "status.h"

// The working file the new scene text is written to, in the current directory.
inline const std::string kWorkingScene = "$$temp$$.lws";

// Copies the LightWave scene `lwsName` to `tempName`, keying one camera record per frame (frame
// i + 1 for record i) after the old first key of the camera motion, and replacing the camera's
// zoom factor (a constant or an envelope) by an envelope with one key per record. Every other
// line is copied byte for byte; each written line ends in CR LF, a last line without a line end
// keeps none. Stops without touching the scene when the camera block, its end, or its zoom
// factor cannot be found, or when a write fails. Prints the closing count to `console`.
Status WriteSceneCameras(const std::string& lwsName, const std::string& tempName,
                         const std::vector<CameraRecord>& cameras, std::ostream& console);
