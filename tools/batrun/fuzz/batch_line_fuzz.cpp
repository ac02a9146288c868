// libFuzzer harness for batrun's reading of batch lines: every line of the input is read as a
// batch line and its words split; lines that touch no file (echo, rem, pause, labels) are run.
// Round trips: a doubled '%' expands back to the text, and quoted text is one word.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "batrun/batch_line.h"
#include "batrun/batch_runner.h"
#include "support/ascii.h"

namespace {

// Assertions that hold in every build type: the fuzz build defines NDEBUG.
void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

void CheckWords(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        Require(word.find('"') == std::string::npos, "quotes are taken out of words");
    }
}

void CheckRoundTrips(const std::string& text) {
    std::string doubled;
    for (const char c : text) doubled += c == '%' ? std::string("%%") : std::string(1, c);
    Require(batrun::ExpandVariables(doubled, {}) == text, "doubled percents expand back");
    if (text.find('"') != std::string::npos) return;
    const std::string quoted = "\"" + text + "\"";
    Require(batrun::SplitWords(quoted) == std::vector<std::string>{text}, "quoted is one word");
    Require(batrun::SplitCommandWords(quoted) == std::vector<std::string>{text},
            "quoted is one argument of del and ren");
    Require(batrun::FindOperator(quoted) == std::string::npos, "quoted holds no operator");
}

bool TouchesNoFile(const std::string& command) {
    return command.empty() || support::EqualIgnoringCase(command, "echo") ||
           support::EqualIgnoringCase(command, "rem") ||
           support::EqualIgnoringCase(command, "pause");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::ostringstream out, err;
    batrun::BatchRunner runner(
        out, err, [] {}, "");
    std::istringstream lines(input);
    std::string line;
    while (std::getline(lines, line)) {
        const batrun::BatchLine parsed = batrun::ParseBatchLine(line, {"run.bat", "a b", "%1"});
        CheckWords(batrun::SplitWords(parsed.rest));
        CheckWords(batrun::SplitCommandWords(parsed.rest));
        const std::size_t at = batrun::FindOperator(parsed.text);
        Require(at == std::string::npos || at < parsed.text.size(), "an operator in the line");
        CheckRoundTrips(line);
        if (TouchesNoFile(parsed.command)) runner.RunLine(line);
    }
    return 0;
}
