#include "camweave/scene_replace.h"

#include <filesystem>
#include <system_error>

namespace camweave {

namespace fs = std::filesystem;

namespace {

std::string Reason(const std::error_code& ec) {
    return ec.message();
}

// Moves the new text into place, copying when a rename cannot cross file systems.
std::error_code MoveIntoPlace(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec != std::errc::cross_device_link) return ec;
    ec.clear();
    fs::copy_file(from, to, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(to, ignored);  // never leave a half-copied scene
        return ec;
    }
    fs::remove(from, ec);
    return {};
}

}  // namespace

support::Status ReplaceScene(const std::string& lwsName, const std::string& backupName,
                             const std::string& tempName, std::ostream& console) {
    console << "Backing up " << lwsName << " to " << backupName << "...\n";
    if (lwsName == backupName) {
        return support::Status::Fail("Can't back up " + lwsName +
                                     " to itself; the scene is unchanged");
    }

    std::error_code ec;
    fs::remove(backupName, ec);  // a missing backup is no error
    if (ec) return support::Status::Fail("Can't delete " + backupName + ": " + Reason(ec));

    fs::rename(lwsName, backupName, ec);
    if (ec) {
        return support::Status::Fail("Can't rename " + lwsName + " to " + backupName + ": " +
                                     Reason(ec) + "; the scene is unchanged");
    }

    ec = MoveIntoPlace(tempName, lwsName);
    if (ec) {
        std::string message = "Can't rename " + tempName + " to " + lwsName + ": " + Reason(ec);
        std::error_code restore;
        fs::rename(backupName, lwsName, restore);
        if (restore) {
            return support::Status::Fail(message + "; the old scene is now " + backupName);
        }
        return support::Status::Fail(message + "; the scene is unchanged");
    }
    return support::Status::Ok();
}

}  // namespace camweave
