#pragma once
// End-to-end runs of the built camweave in a test's folder.
#include <string>
#include <vector>

#include "support/testing/files.h"
#include "support/testing/program_run.h"
#include "support/testing/temp_folder.h"

namespace camweave::testing {

using support::testing::Lines;
using support::testing::ProgramResult;
using support::testing::ReadFile;
using support::testing::TempFolder;
using support::testing::WriteFile;

// Runs camweave with `arguments` in `folder`, standard input empty.
inline ProgramResult RunCamweaveIn(const TempFolder& folder,
                                   const std::vector<std::string>& arguments) {
    return support::testing::RunProgram(
        {.program = CAMWEAVE_PROGRAM, .arguments = arguments, .folder = folder.Path()});
}

}  // namespace camweave::testing
