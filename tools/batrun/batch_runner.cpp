#include "batch_runner.h"

#include <cctype>
#include <filesystem>
#include <fstream>

#include "batch_line.h"
#include "file_commands.h"
#include "program_run.h"
#include "program_search.h"

namespace {

std::string TrimLeft(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    return text.substr(begin);
}

std::string TrimRight(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    return text;
}

// The first word of a command line: "echo.", "echo", "ren" or a program name; the command ends
// at white space, or at '.' right after echo (echo. prints an empty line).
std::size_t CommandLength(const std::string& line) {
    std::size_t end = 0;
    while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])) &&
           line[end] != '.') {
        ++end;
    }
    if (end < line.size() && line[end] == '.' && !SameWord(line.substr(0, end), "echo")) {
        while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
    }
    return end;
}

std::string CurrentFolder() {
    std::error_code ec;
    const auto folder = std::filesystem::current_path(ec);
    return ec ? std::string() : folder.string();
}

}  // namespace

BatchRunner::BatchRunner(std::ostream& out, std::ostream& err, std::function<void()> waitForKey,
                         std::string searchPath)
    : out_(out),
      err_(err),
      waitForKey_(std::move(waitForKey)),
      searchPath_(std::move(searchPath)) {}

int BatchRunner::RunFile(const std::string& path, const std::vector<std::string>& parameters) {
    std::ifstream file(HostPath(path), std::ios::binary);
    if (!file) {
        err_ << "'" << path << "' is not recognized as an internal or external command,\n"
             << "operable program or batch file.\n";
        return 1;
    }
    parameters_ = parameters;
    parameters_.insert(parameters_.begin(), path);
    int status = 0;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        status = RunLine(line);
    }
    return status;
}

int BatchRunner::RunLine(const std::string& rawLine) {
    std::string line = TrimLeft(ExpandVariables(rawLine, parameters_));
    bool quiet = false;
    while (!line.empty() && line[0] == '@') {
        quiet = true;
        line = TrimLeft(line.substr(1));
    }
    if (line.empty() || line[0] == ':') return 0;  // blank lines and labels
    if (echoOn_ && !quiet) out_ << "\n" << CurrentFolder() << ">" << TrimRight(line) << "\n";

    const std::size_t length = CommandLength(line);
    return RunCommand(line.substr(0, length), line.substr(length));
}

int BatchRunner::RunCommand(const std::string& command, const std::string& rest) {
    if (SameWord(command, "rem")) return 0;
    if (SameWord(command, "echo")) return Echo(rest);
    if (SameWord(command, "pause")) {
        out_ << "Press any key to continue . . . " << std::flush;
        waitForKey_();
        out_ << "\n";
        return 0;
    }
    if (SameWord(command, "del") || SameWord(command, "erase") || SameWord(command, "ren") ||
        SameWord(command, "rename")) {
        const auto arguments = SplitWords(rest);
        const bool del = SameWord(command, "del") || SameWord(command, "erase");
        const std::string failure = del ? DeleteFiles(arguments) : RenameFile(arguments);
        if (failure.empty()) return 0;
        err_ << failure << "\n";
        return 1;
    }

    const std::string program = FindProgram(HostPath(command), searchPath_);
    if (program.empty()) {
        err_ << "'" << command << "' is not recognized as an internal or external command,\n"
             << "operable program or batch file.\n";
        return 9009;
    }
    std::vector<std::string> arguments{program};
    for (const std::string& word : SplitWords(rest)) arguments.push_back(HostPath(word));
    out_.flush();
    err_.flush();
    const int status = RunProgram(program, arguments);
    if (status < 0) {
        err_ << "'" << command << "' could not be started.\n";
        return 1;
    }
    return status;
}

int BatchRunner::Echo(const std::string& rest) {
    if (!rest.empty() && rest[0] == '.') {
        out_ << rest.substr(1) << "\n";
        return 0;
    }
    // Only the one blank after "echo" separates; further blanks are part of the text.
    const std::string text = rest.empty() ? rest : rest.substr(1);
    const std::string word = TrimRight(TrimLeft(text));
    if (SameWord(word, "off") || SameWord(word, "on")) {
        echoOn_ = SameWord(word, "on");
    } else if (word.empty()) {
        out_ << (echoOn_ ? "ECHO is on.\n" : "ECHO is off.\n");
    } else {
        out_ << text << "\n";
    }
    return 0;
}
