#include "file_commands.h"

#include <cctype>
#include <filesystem>

#include "batch_line.h"

namespace fs = std::filesystem;

namespace {

const char* const kSyntaxError = "The syntax of the command is incorrect.";
const char* const kNotFound = "The system cannot find the file specified.";
const char* const kDuplicate = "A duplicate file name exists, or the file cannot be found.";

// "/Q", "/f", "/A:H": a switch of del, not a path (an absolute path here also starts with '/').
bool IsSwitch(const std::string& word) {
    return word.size() >= 2 && word[0] == '/' &&
           std::isalpha(static_cast<unsigned char>(word[1])) != 0 &&
           (word.size() == 2 || word[2] == ':');
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
            messages +=
                (messages.empty() ? "" : "\n") + std::string("Access is denied: ") + argument;
        }
    }
    return anyFile ? messages : kSyntaxError;
}

std::string RenameFile(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) return kSyntaxError;
    const std::string& newName = arguments[1];
    if (newName.find_first_of("\\/:") != std::string::npos) return kSyntaxError;
    const fs::path source = HostPath(arguments[0]);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(source, ec))) return kNotFound;
    const fs::path target = source.parent_path() / newName;
    if (fs::exists(fs::symlink_status(target, ec))) return kDuplicate;
    fs::rename(source, target, ec);
    return ec ? kDuplicate : "";
}
