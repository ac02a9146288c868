#pragma once

#include <optional>
#include <string>
#include <vector>

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

// Result of parsing: the settings, or the line to print before the usage text (possibly empty,
// when only the usage is due).
struct ParsedCommandLine {
    std::optional<CommandLine> settings;
    std::string usageMessage;
};

// Parses `camweave lwsFile [lcFile] [/p] [/r<prefix>] [/t[p]]`, arguments in any order. A switch
// starts with '/' or '-' and its letter is case-insensitive; later switches override earlier
// ones. The first fault found ends the parse.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text, printed before every usage exit.
extern const char* const kUsageText;
