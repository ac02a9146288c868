#pragma once
// The converter batch of a run: a temporary batch file in the current folder that hands each
// Targa file to RAWSMITH, run once after the last camera through the command interpreter.
#include <string>
#include <vector>

namespace render {

inline constexpr const char* kBatchFileName = "$$TEMP$$.BAT";

// The command that runs a batch file: $COMSPEC /c FILE when COMSPEC is set, else batrun FILE.
std::vector<std::string> BatchCommand(const std::string& batchFile);

// Runs the command and waits until it ends; false with the reason when it could not start.
bool RunAndWait(const std::vector<std::string>& command, std::string& error);

}  // namespace render
