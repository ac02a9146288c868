#include "batrun/batch_line.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace batrun {
namespace {

TEST(BatchLine, WordsSplitAtBlanksAndQuotesGroup) {
    const std::vector<std::string> words = SplitWords("  ren \"my shot.tga\"  Lobby.tga ");
    EXPECT_EQ(words, (std::vector<std::string>{"ren", "my shot.tga", "Lobby.tga"}));
    EXPECT_EQ(SplitWords("del \"\""), (std::vector<std::string>{"del", ""}));
    EXPECT_EQ(SplitWords("a=b,c;d \"e f\"g"), (std::vector<std::string>{"a=b,c;d", "e fg"}));
    // The interpreter's own commands also split at ',', ';' and '=' outside quotes.
    EXPECT_EQ(SplitCommandWords("a=b,c;d \"e=f, g;h\""),
              (std::vector<std::string>{"a", "b", "c", "d", "e=f, g;h"}));
}

TEST(BatchLine, VariablesExpand) {
    setenv("BATRUN_TEST_VALUE", "42", 1);
    unsetenv("BATRUN_TEST_UNSET");
    const std::vector<std::string> parameters = {"run.bat", "first"};
    EXPECT_EQ(ExpandVariables("%1 %2 %% %BATRUN_TEST_VALUE% [%BATRUN_TEST_UNSET%] 5%", parameters),
              "first  % 42 [] 5%");
    // Doubled percent signs are how a batch writes a name that holds them.
    EXPECT_EQ(ExpandVariables("\"%%BATRUN_TEST_VALUE%% 100%%\"", parameters),
              "\"%BATRUN_TEST_VALUE% 100%\"");
}

TEST(BatchLine, CommandQuietnessAndRest) {
    const BatchLine line = ParseBatchLine("  @ @RAWSMITH /q %1", {"run.bat", "x.tga"});
    EXPECT_TRUE(line.quiet);
    EXPECT_EQ(line.text, "RAWSMITH /q x.tga");
    EXPECT_EQ(line.command, "RAWSMITH");
    EXPECT_EQ(line.rest, " /q x.tga");
    EXPECT_EQ(ParseBatchLine("echo.", {}).command, "echo");
    EXPECT_EQ(ParseBatchLine("tool.exe a", {}).command, "tool.exe");
    EXPECT_EQ(ParseBatchLine(":label", {}).command, "");
    EXPECT_EQ(ParseBatchLine("   ", {}).command, "");
}

TEST(BatchLine, OperatorsOutsideQuotes) {
    EXPECT_EQ(FindOperator("ren a.tga \"b & c.tga\""), std::string::npos);
    EXPECT_EQ(FindOperator("ren a.tga b&c.tga"), 11u);
    EXPECT_EQ(FindOperator("echo \"a\" > out"), 9u);
    EXPECT_EQ(FindOperator("x | y"), 2u);
    EXPECT_EQ(FindOperator("x <in"), 2u);
}

}  // namespace
}  // namespace batrun
