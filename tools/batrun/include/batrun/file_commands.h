#pragma once

#include <string>
#include <vector>

namespace batrun {

// The file commands of a batch line, given the words after the command name. Each returns an
// empty string on success, else the interpreter's message for the failure.

// del FILE...: deletes each named file; switches such as /q are accepted and ignored.
std::string DeleteFiles(const std::vector<std::string>& arguments);

// ren SOURCE NEWNAME: renames SOURCE within its own folder; NEWNAME is a file name only, and an
// existing file of that name is never replaced. A rename the system refuses gives its reason.
std::string RenameFile(const std::vector<std::string>& arguments);

}  // namespace batrun
