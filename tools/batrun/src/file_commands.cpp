#include "batrun/file_commands.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "batrun/batch_line.h"
#include "support/file_name_check.h"

namespace batrun {

namespace fs = std::filesystem;

namespace {

const char* const kSyntaxError = "The syntax of the command is incorrect.";
const char* const kBadName = "The filename, directory name, or volume label syntax is incorrect.";
const char* const kNotFound = "The system cannot find the file specified.";
const char* const kDuplicate = "A duplicate file name exists, or the file cannot be found.";
const char* const kAccessDenied = "Access is denied.";

// "/Q", "/f", "/A:H": a switch of del, not a path (an absolute path here also starts with '/').
bool IsSwitch(const std::string& word) {
    return word.size() >= 2 && word[0] == '/' &&
           std::isalpha(static_cast<unsigned char>(word[1])) != 0 &&
           (word.size() == 2 || word[2] == ':');
}

// The interpreter's words for a refusal of the system; the system's own for the rest.
std::string Reason(const std::error_code& ec) {
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        ec == std::errc::read_only_file_system) {
        return kAccessDenied;
    }
    return ec.message() + ".";
}

}  // namespace

std::string DeleteFiles(const std::vector<std::string>& arguments) {
    std::string messages;
    bool anyFile = false;
    for (const std::string& argument : arguments) {
        if (IsSwitch(argument)) continue;
        anyFile = true;
        std::error_code ec;
        const fs::path path = HostPath(argument);
        if (!fs::is_regular_file(path, ec)) {
            messages += (messages.empty() ? "" : "\n") + std::string("Could Not Find ") + argument;
            continue;
        }
        if (!fs::remove(path, ec)) {
            messages += (messages.empty() ? "" : "\n") + argument + " - " + Reason(ec);
        }
    }
    return anyFile ? messages : kSyntaxError;
}

std::string RenameFile(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) return kSyntaxError;
    const std::string& newName = arguments[1];
    if (newName.find_first_of("\\/:") != std::string::npos) return kSyntaxError;
    if (!support::CheckFileName(newName).ok()) return kBadName;
    const fs::path source = HostPath(arguments[0]);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(source, ec))) return kNotFound;
    const fs::path target = source.parent_path() / newName;
    if (fs::exists(fs::symlink_status(target, ec))) return kDuplicate;
    fs::rename(source, target, ec);
    return ec ? Reason(ec) : "";
}

}  // namespace batrun
