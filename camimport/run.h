#pragma once

#include <string>
#include <vector>

#include "camera_record.h"
#include "command_line.h"
#include "file_names.h"

// The process-wide state of one camweave run.
struct RunState {
    std::vector<std::string> arguments;  // as given, for the clean-up to know the user's files
    CommandLine settings;
    RunFileNames names;
    std::vector<CameraRecord> cameras;
};

RunState& TheRun();

// Releases the camera array. Files are closed by the step that opened them as it returns, so
// nothing else is left open here. Safe to call at any point of the run.
void Cleanup();

// The one error exit: Cleanup, delete the working scene (a regular file only), print
// "\n\nERROR:\n", the message and a line end on standard output, exit status 1.
[[noreturn]] void FatalError(const std::string& message);

// Cleanup, delete the working scene as FatalError does, print the usage text, exit status 1.
[[noreturn]] void ShowUsage();

// The whole run for the given arguments (without the program name). Returns 0 after a complete
// run; every failure leaves through FatalError or ShowUsage.
int RunCamweave(const std::vector<std::string>& arguments);
