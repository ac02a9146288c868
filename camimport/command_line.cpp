#include "command_line.h"

#include <cctype>

const char* const kUsageText =
    "Usage: camweave <lwsFile> [<lcFile>] [/p] [/r<prefix>] [/t[p]]\n"
    "\n"
    "  lwsFile       filename of the .lws file to import cameras into.\n"
    "  lcFile        filename of the .lc file to import.  If none is specified,\n"
    "                a default filename is generated using the base filename\n"
    "                of the .lws file, with a .lc extension\n"
    "  /r            generates a batch file for you to run that will\n"
    "                rename the numbered render .tga files to the proper\n"
    "                camera name .tga files.  <prefix> defines the prefix\n"
    "                you will give lightwave when you render the cameras,\n"
    "                and also the path where the renders will be stored.\n"
    "                The generated batch file will be named\n"
    "                <outputFname>_rename_cameras.bat, where <outputFname>\n"
    "                is the name of the output .lws file, without the .lws\n"
    "                extension\n"
    "  /t[p]         Automatically run RAWSMITH from the rename batch file.\n"
    "                /t runs a full quality RAWSMITH, /tp uses 'preview' mode\n";

namespace {

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The first white-space-delimited word of the text, as "%s" reads it.
std::string FirstWord(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin])) ++begin;
    std::size_t end = begin;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    return text.substr(begin, end - begin);
}

ParsedCommandLine Usage(std::string message) {
    return {std::nullopt, std::move(message)};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine settings;
    int fileArguments = 0;
    for (const std::string& argument : arguments) {
        if (!argument.empty() && (argument[0] == '/' || argument[0] == '-')) {
            const char letter =
                argument.size() > 1
                    ? static_cast<char>(std::tolower(static_cast<unsigned char>(argument[1])))
                    : '\0';
            if (letter == 'p') {
                settings.panning = true;
            } else if (letter == 'r') {
                const std::string prefix = FirstWord(argument.substr(2));
                if (prefix.empty()) return Usage("Error parsing /r prefix\n");
                if (prefix.size() > kMaxRenamePrefix) {
                    return Usage("Error parsing /r prefix: longer than " +
                                 std::to_string(kMaxRenamePrefix) + " characters\n");
                }
                settings.renamePrefix = prefix;
            } else if (letter == 't') {
                const bool preview =
                    argument.size() > 2 && (argument[2] == 'p' || argument[2] == 'P');
                settings.converterMode = preview ? 2 : 1;
            } else {
                return Usage("Invalid switch: " + argument + "\n");
            }
            continue;
        }
        ++fileArguments;
        if (fileArguments == 1) {
            settings.lwsArgument = argument;
        } else if (fileArguments == 2) {
            settings.lcArgument = argument;
        } else {
            return Usage("Extra parm: " + argument + "\n");
        }
    }
    if (settings.lwsArgument.empty()) return Usage("");
    return {settings, ""};
}
