#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "camweave/camera_record.h"
#include "support/result.h"

namespace camweave {

// The lines of the rename batch: for each record i (keyframe i + 1) a ren command from the
// numbered render "<prefix>%04d.tga" to "<name>.tga", then in converter mode 1 "rawsmith /q" and
// in mode 2 "rawsmith /q /p /m" on the renamed image in the prefix's folder; last "pause". Each
// path is written as support::BatchArgument writes it.
std::vector<std::string> RenameBatchLines(const std::vector<CameraRecord>& cameras,
                                          const std::string& prefix, int converterMode);

// Writes those lines to `batchName` with CR LF line ends, announcing it on `console`. The batch is
// written beside its place under another name and moved there only when complete, so a failed
// write leaves an earlier batch of that name as it was.
support::Status WriteRenameBatch(const std::string& batchName,
                                 const std::vector<CameraRecord>& cameras,
                                 const std::string& prefix, int converterMode,
                                 std::ostream& console);

}  // namespace camweave
