#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "camera_record.h"
#include "status.h"

// Appends a copy of the record; false when the array cannot grow.
bool AddCamera(std::vector<CameraRecord>& cameras, const CameraRecord& record);

// Reads a camera list (.lc) from its text (LF or CR LF line ends): version line, counts, then one
// five-line entry per camera. Prints the progress lines of the read to `console` and fills
// `cameras` in keyframe order: every fixed camera before every pan view, file order kept within
// each group. With `panning`, a camera wider than 110 degrees becomes six views N, S, E, W, U, D.
// `lcName` names the file in the messages.
Status ParseCameraList(const std::string& text, const std::string& lcName, bool panning,
                       std::ostream& console, std::vector<CameraRecord>& cameras);

// Reads the .lc file named `lcName` as ParseCameraList does, then prints the line that announces
// the scene `lwsName`.
Status ReadCameraList(const std::string& lcName, const std::string& lwsName, bool panning,
                      std::ostream& console, std::vector<CameraRecord>& cameras);
