#include "batch_line.h"

#include <gtest/gtest.h>
#include <stdlib.h>

TEST(BatchLine, WordsSplitAtBlanksAndQuotesGroup) {
    const std::vector<std::string> words = SplitWords("  ren \"my shot.tga\"  Lobby.tga ");
    EXPECT_EQ(words, (std::vector<std::string>{"ren", "my shot.tga", "Lobby.tga"}));
    EXPECT_EQ(SplitWords("del \"\""), (std::vector<std::string>{"del", ""}));
}

TEST(BatchLine, VariablesExpand) {
    setenv("BATRUN_TEST_VALUE", "42", 1);
    unsetenv("BATRUN_TEST_UNSET");
    const std::vector<std::string> parameters = {"run.bat", "first"};
    EXPECT_EQ(ExpandVariables("%1 %2 %% %BATRUN_TEST_VALUE% [%BATRUN_TEST_UNSET%] 5%", parameters),
              "first  % 42 [] 5%");
}
