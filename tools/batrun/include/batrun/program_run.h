#pragma once

#include <string>
#include <vector>

namespace batrun {

// Runs the program at `path` with `arguments` (argument 0 included), sharing this process's
// standard streams, and waits for it. Returns its exit status, 128 + the signal number when a
// signal ended it, or -1 when it could not be started.
int RunProgram(const std::string& path, const std::vector<std::string>& arguments);

}  // namespace batrun
