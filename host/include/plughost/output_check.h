#pragma once
// What keeps a file from being written, as far as the host can see from outside the plug-in:
// plughost names it when an export fails, instead of only passing on the exporter's 0.
#include <string>

namespace plughost {

// Why a file cannot be written at `path`: "it is a folder", "its folder X does not exist",
// "its folder X is not writable", "the file is read-only", "no space is left on the disk that
// holds X"; empty when nothing is in the way.
std::string OutputProblem(const std::string& path);

}  // namespace plughost
