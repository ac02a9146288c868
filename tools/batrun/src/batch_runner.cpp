#include "batrun/batch_runner.h"

#include <cctype>
#include <filesystem>

#include "batrun/batch_line.h"
#include "batrun/file_commands.h"
#include "batrun/program_run.h"
#include "batrun/program_search.h"
#include "support/ascii.h"
#include "support/file_io.h"

namespace batrun {

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

std::string CurrentFolder() {
    std::error_code ec;
    const auto folder = std::filesystem::current_path(ec);
    return ec ? std::string() : folder.string();
}

void NotRecognized(std::ostream& err, const std::string& name) {
    err << "'" << name << "' is not recognized as an internal or external command,\n"
        << "operable program or batch file.\n";
}

// The lines of a batch file: split at LF, a CR before it dropped; no empty line after the last
// line end.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

BatchRunner::BatchRunner(std::ostream& out, std::ostream& err, std::function<void()> waitForKey,
                         std::string searchPath)
    : out_(out),
      err_(err),
      waitForKey_(std::move(waitForKey)),
      searchPath_(std::move(searchPath)) {}

int BatchRunner::RunFile(const std::string& path, const std::vector<std::string>& parameters) {
    const std::string hostPath = HostPath(path);
    std::error_code ec;
    if (!std::filesystem::exists(hostPath, ec)) {
        NotRecognized(err_, path);
        return 1;
    }
    const support::Result<std::string> text = support::ReadWholeFile(hostPath);
    if (!text.ok()) {
        err_ << "batrun: cannot run " << path << ": " << text.error() << "\n";
        return 1;
    }
    parameters_ = parameters;
    parameters_.insert(parameters_.begin(), path);
    int exitStatus = 0;
    for (const std::string& line : SplitLines(*text)) {
        const int status = RunLine(line);
        if (status != 0) exitStatus = status > 0 && status < 256 ? status : 1;
    }
    return exitStatus;
}

int BatchRunner::RunLine(const std::string& rawLine) {
    const BatchLine line = ParseBatchLine(rawLine, parameters_);
    if (line.command.empty()) return 0;  // blank lines and labels
    if (echoOn_ && !line.quiet)
        out_ << "\n" << CurrentFolder() << ">" << TrimRight(line.text) << "\n";
    if (support::EqualIgnoringCase(line.command, "rem")) return 0;
    // The interpreter would split the line there and run the pieces otherwise; running it as one
    // command here would do something else than it does.
    if (const std::size_t at = FindOperator(line.text); at != std::string::npos) {
        err_ << "batrun: cannot run a line with '" << line.text[at]
             << "' outside quotes: command chains, pipes and redirection are not supported\n";
        return 1;
    }
    return RunCommand(line.command, line.rest);
}

int BatchRunner::RunCommand(const std::string& command, const std::string& rest) {
    if (support::EqualIgnoringCase(command, "echo")) return Echo(rest);
    if (support::EqualIgnoringCase(command, "pause")) {
        out_ << "Press any key to continue . . . " << std::flush;
        waitForKey_();
        out_ << "\n";
        return 0;
    }
    if (support::EqualIgnoringCase(command, "del") ||
        support::EqualIgnoringCase(command, "erase") ||
        support::EqualIgnoringCase(command, "ren") ||
        support::EqualIgnoringCase(command, "rename")) {
        const auto arguments = SplitCommandWords(rest);
        const bool del = support::EqualIgnoringCase(command, "del") ||
                         support::EqualIgnoringCase(command, "erase");
        const std::string failure = del ? DeleteFiles(arguments) : RenameFile(arguments);
        if (failure.empty()) return 0;
        err_ << failure << "\n";
        return 1;
    }

    const std::string program = FindProgram(HostPath(command), searchPath_);
    if (program.empty()) {
        NotRecognized(err_, command);
        return kProgramNotFound;
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
    if (support::EqualIgnoringCase(word, "off") || support::EqualIgnoringCase(word, "on")) {
        echoOn_ = support::EqualIgnoringCase(word, "on");
    } else if (word.empty()) {
        out_ << (echoOn_ ? "ECHO is on.\n" : "ECHO is off.\n");
    } else {
        out_ << text << "\n";
    }
    return 0;
}

}  // namespace batrun
