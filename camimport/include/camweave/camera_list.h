#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "camweave/camera_record.h"
#include "support/result.h"

namespace camweave {

// How the cameras of a list become records.
struct CameraListOptions {
    // /p: a camera wider than 110 degrees becomes six views N, S, E, W, U, D.
    bool panning = false;
    // The names become the names of image files (the rename batch): each must be able to name a
    // file, and no two records may have names that differ only in case.
    bool namesAreFileNames = false;
};

// Appends a copy of the record; false when the array cannot grow.
bool AddCamera(std::vector<CameraRecord>& cameras, const CameraRecord& record);

// Reads a camera list (.lc) from its text (LF or CR LF line ends): version line, counts, then one
// five-line entry per camera. Prints the progress lines of the read to `console` and returns the
// records in keyframe order: every fixed camera before every pan view, file order kept within
// each group. Refuses a list whose counts are negative, an entry that does not scan or holds a
// value that is not a finite number, a field of view that gives no positive zoom factor, and
// names as `options` says; `lcName` names the file in the messages.
support::Result<std::vector<CameraRecord>> ParseCameraList(const std::string& text,
                                                           const std::string& lcName,
                                                           const CameraListOptions& options,
                                                           std::ostream& console);

// Reads the .lc file named `lcName` as ParseCameraList does, then prints the line that announces
// the scene `lwsName`.
support::Result<std::vector<CameraRecord>> ReadCameraList(const std::string& lcName,
                                                          const std::string& lwsName,
                                                          const CameraListOptions& options,
                                                          std::ostream& console);

}  // namespace camweave
