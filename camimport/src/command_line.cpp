#include "camweave/command_line.h"

#include <cctype>
#include <filesystem>
#include <string_view>

#include "support/paths.h"

namespace camweave {

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

std::string HelpText() {
    return std::string(kUsageText) +
           "  /p            splits every camera wider than 110 degrees into six views,\n"
           "                named with N, S, E, W, U or D added, keyed after the others\n"
           "  --help        prints this text\n"
           "  --version     prints the version\n"
           "\n"
           "camweave reads the camera list (.lc) and the LightWave scene (.lws), keys the\n"
           "listed cameras into the scene's camera one per frame, and keeps the old scene\n"
           "as <lwsFile>.bak. With /r every camera name must be able to name a file and\n"
           "no two may differ only in case. Exit status: 0 when the scene was rewritten,\n"
           "1 after the usage or an error.\n";
}

std::string VersionText() {
    return std::string("camweave ") + ASSETPIPE_VERSION + "\n";
}

bool IsExistingFile(const std::string& argument) {
    namespace fs = std::filesystem;
    const auto isFile = [](const std::string& path) {
        std::error_code ec;
        return fs::exists(path, ec) && !fs::is_directory(path, ec);
    };
    if (isFile(argument)) return true;
    if (!support::SplitPath(argument).extension.empty()) return false;
    return isFile(argument + ".lws") || isFile(argument + ".lc");
}

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

// Why the rename prefix cannot begin a path the batch names, or empty. The prefix is written into
// the batch's lines, so a quote would end its quoting there and a wildcard would rename more.
std::string PrefixProblem(const std::string& prefix) {
    if (prefix.size() > kMaxRenamePrefix) {
        return "longer than " + std::to_string(kMaxRenamePrefix) + " characters";
    }
    for (const char c : prefix) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return "it holds a control character";
        if (std::string_view("\"<>|?*").find(c) != std::string_view::npos) {
            return std::string("it holds the character ") + c;
        }
    }
    return {};
}

ParsedCommandLine Usage(std::string message) {
    return {std::nullopt, std::move(message)};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   const FileTest& isFile) {
    for (const std::string& argument : arguments) {
        if (argument == "--help") return {std::nullopt, "", true, false};
        if (argument == "--version") return {std::nullopt, "", false, true};
    }
    CommandLine settings;
    int fileArguments = 0;
    for (const std::string& argument : arguments) {
        // An absolute path here starts like a switch; one that names a file is a file.
        const bool isSwitch =
            !argument.empty() && (argument[0] == '-' || (argument[0] == '/' && !isFile(argument)));
        if (isSwitch) {
            const char letter =
                argument.size() > 1
                    ? static_cast<char>(std::tolower(static_cast<unsigned char>(argument[1])))
                    : '\0';
            // No switch but /r carries a path: "/tmp/scene.lws" is no /t.
            const bool carriesPath = argument.find_first_of("\\/", 1) != std::string::npos;
            if (letter == 'p' && !carriesPath) {
                settings.panning = true;
            } else if (letter == 'r') {
                const std::string prefix = FirstWord(argument.substr(2));
                if (prefix.empty()) return Usage("Error parsing /r prefix\n");
                if (const std::string problem = PrefixProblem(prefix); !problem.empty()) {
                    return Usage("Error parsing /r prefix: " + problem + "\n");
                }
                settings.renamePrefix = prefix;
            } else if (letter == 't' && !carriesPath) {
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
    return {settings, "", false, false};
}

}  // namespace camweave
