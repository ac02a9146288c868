#include "support/testing/program_run.h"

#include <gtest/gtest.h>

#include "support/testing/temp_folder.h"

namespace support::testing {
namespace {

TEST(RunProgram, CapturesOutputStatusAndSignal) {
    TempFolder folder;
    const ProgramResult r =
        RunProgram({.program = "/bin/sh",
                    .arguments = {"-c", "cat; echo err >&2; pwd; echo $ASSETPIPE_X; exit 3"},
                    .folder = folder.Path(),
                    .input = "in\n",
                    .environment = {{"ASSETPIPE_X", "x"}}});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "in\n" + folder.Path().string() + "\nx\n");
    EXPECT_EQ(r.err, "err\n");

    const ProgramResult killed =
        RunProgram({.program = "/bin/sh", .arguments = {"-c", "kill -TERM $$"}});
    EXPECT_EQ(killed.status, -1);
    EXPECT_EQ(killed.signal, 15);

    const ProgramResult missing = RunProgram({.program = "/no/such/program"});
    EXPECT_EQ(missing.status, -1);
    EXPECT_NE(missing.err.find("cannot start"), std::string::npos);
}

}  // namespace
}  // namespace support::testing
