#pragma once

#include <ostream>
#include <string>

#include "support/result.h"

namespace camweave {

// Puts the new scene text `tempName` in the place of the scene `lwsName`, keeping the old scene
// as `backupName` (an older backup is deleted first). Every step is checked: when the scene
// cannot be moved to the backup it stays where it was; when the new text cannot be moved into
// place the old scene is put back. Where the new text lies on another file system than the
// scene, it is copied into place instead. Prints the backup line to `console`.
support::Status ReplaceScene(const std::string& lwsName, const std::string& backupName,
                             const std::string& tempName, std::ostream& console);

}  // namespace camweave
