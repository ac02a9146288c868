#pragma once

#include <string>
#include <vector>

namespace batrun {

// One line of a batch file after the interpreter's first reading: variables expanded, then the
// '@' that hides the line and the blanks before the command taken off.
struct BatchLine {
    bool quiet = false;   // an '@' came before the command
    std::string text;     // the line as echoed: from the command on
    std::string command;  // "echo", "ren", a program name...; empty for a blank line or a label
    std::string rest;     // everything after the command
};

// Reads one line of a batch file whose parameters (%0 to %9) are `parameters`.
BatchLine ParseBatchLine(const std::string& rawLine, const std::vector<std::string>& parameters);

// Replaces "%%" by "%", "%0" to "%9" by the batch file's parameters, and "%NAME%" by the
// environment variable (empty when unset). A lone '%' stays.
std::string ExpandVariables(const std::string& line, const std::vector<std::string>& parameters);

// The words of a program's command line: split at white space; double quotes group a word with
// blanks and are removed.
std::vector<std::string> SplitWords(const std::string& text);
// The words of an internal command's (del, ren): as SplitWords, and outside quotes ',', ';' and
// '=' separate words too, as they do for the interpreter's own commands.
std::vector<std::string> SplitCommandWords(const std::string& text);

// Where the first '&', '|', '<' or '>' outside double quotes is (the interpreter's command
// chaining, pipes and redirection, which batrun does not run), or npos.
std::size_t FindOperator(const std::string& text);

// A Windows path as a path here: every '\' becomes '/'.
std::string HostPath(const std::string& path);

}  // namespace batrun
