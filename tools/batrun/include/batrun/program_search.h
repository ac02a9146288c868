#pragma once

#include <string>

namespace batrun {

// Finds the program a batch line names: a name with a folder is taken as it is; a bare name is
// looked for in each folder of `searchPath` (':'-separated), case-insensitively, so RAWSMITH
// finds rawsmith, and a trailing ".exe" or ".com" may be left off the file. Returns the path of
// an executable file, or an empty string.
std::string FindProgram(const std::string& name, const std::string& searchPath);

}  // namespace batrun
