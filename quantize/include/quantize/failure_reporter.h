#pragma once

#include <functional>
#include <string>

namespace quantize {

// Receives the text of every failure the quantizer finds, once, where it is found.
using FailureReporter = std::function<void(const std::string& text)>;

// Installs the reporter for all quantizer failures and returns the one it replaces. An empty
// reporter restores the default, which writes the text and a line end to standard error.
// Process-wide; the quantizer runs on one thread at a time.
FailureReporter SetQuantizeFailureReporter(FailureReporter reporter);

// Hands one failure text to the installed reporter.
void ReportQuantizeFailure(const std::string& text);

}  // namespace quantize
