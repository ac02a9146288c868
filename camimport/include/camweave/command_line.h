#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace camweave {

// The settings of one run, as the command line gives them.
struct CommandLine {
    std::string lwsArgument;   // first argument that is not a switch
    std::string lcArgument;    // second one, or empty
    bool panning = false;      // /p
    std::string renamePrefix;  // /r<prefix>; empty: no rename batch
    int converterMode = 0;     // /t: 1, /tp: 2
};

// The longest rename prefix a run accepts.
inline constexpr std::size_t kMaxRenamePrefix = 255;

// Result of parsing: the settings; or a request for the help or the version text; or the line to
// print before the usage text (possibly empty, when only the usage is due).
struct ParsedCommandLine {
    std::optional<CommandLine> settings;
    std::string usageMessage;
    bool help = false;
    bool version = false;
};

// Whether an argument that starts with '/' is a file rather than a switch: an absolute path here.
using FileTest = std::function<bool(const std::string& argument)>;
// True when the argument names an existing file, as given or with ".lws" or ".lc" added.
bool IsExistingFile(const std::string& argument);

// Parses `camweave lwsFile [lcFile] [/p] [/r<prefix>] [/t[p]]`, arguments in any order. A switch
// starts with '/' or '-' and its letter is case-insensitive; later switches override earlier
// ones. An argument starting with '/' that `isFile` accepts is a file argument. "--help" and
// "--version" anywhere ask for those texts. The first fault found ends the parse.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   const FileTest& isFile = IsExistingFile);

// The usage text, printed before every usage exit.
extern const char* const kUsageText;
// What --help prints: the usage text and what it leaves out.
std::string HelpText();
// What --version prints.
std::string VersionText();

}  // namespace camweave
