#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace camweave {

// The whole camweave run for the given arguments (without the program name), its messages on
// `console`. Returns the exit status: 0 after a complete run (or --help, --version), 1 after the
// usage or an error. Every stop first releases what the run holds and deletes the working scene
// "$$temp$$.lws", so the scene is left as it was.
int RunCamweave(const std::vector<std::string>& arguments, std::ostream& console);

}  // namespace camweave
