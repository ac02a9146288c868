#include "quantize/failure_reporter.h"

#include <cstdio>
#include <utility>

namespace quantize {
namespace {

void WriteToStandardError(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

FailureReporter& InstalledReporter() {
    static FailureReporter reporter = WriteToStandardError;
    return reporter;
}

}  // namespace

FailureReporter SetQuantizeFailureReporter(FailureReporter reporter) {
    if (!reporter) reporter = WriteToStandardError;
    return std::exchange(InstalledReporter(), std::move(reporter));
}

void ReportQuantizeFailure(const std::string& text) {
    InstalledReporter()(text);
}

}  // namespace quantize
