#pragma once
// Running a program the way a user would, for end-to-end tests.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace support::testing {

struct ProgramRun {
    std::string program{};
    std::vector<std::string> arguments{};
    std::filesystem::path folder{};  // working folder; empty: the test's own
    std::string input{};             // standard input
    // Variables set (or, with an empty value, kept empty) on top of the test's environment.
    std::vector<std::pair<std::string, std::string>> environment{};
    std::string pathPrefix{};  // put before $PATH when not empty
};

struct ProgramResult {
    int status = -1;  // exit status; -1 when the program was killed by a signal or did not start
    int signal = 0;   // the signal that ended it
    std::string out;  // standard output
    std::string err;  // standard error
};

ProgramResult RunProgram(const ProgramRun& run);

}  // namespace support::testing
