#include "support/file_name_check.h"

#include <gtest/gtest.h>

namespace support {
namespace {

TEST(FileNameCheck, AcceptsWhatWindowsCanHold) {
    for (const char* name : {"Lobby", "Lobby & Bar (2)", "100% sure", "a^b,c;d=e!f", ".hidden",
                             "x..y", "Soleil d'\xe9t\xe9", "CONSOLE", "COM0", "LPT10", "nul_"}) {
        EXPECT_TRUE(CheckFileName(name).ok()) << name;
    }
}

TEST(FileNameCheck, RefusesWhatCannotBeAFileName) {
    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {"", "it is empty"},
        {"a\ntouch PWNED\nrem ", "it holds a line break"},
        {"a\rb", "it holds a line break"},
        {std::string("a\0b", 3), "it holds a control character"},
        {"tab\there", "it holds a control character"},
        {"del\x7f", "it holds a control character"},
        {"..\\..\\x", "it holds the character \\"},
        {"a/b", "it holds the character /"},
        {"c:x", "it holds the character :"},
        {"a<b", "it holds the character <"},
        {"a>b", "it holds the character >"},
        {"say \"hi\"", "it holds the character \""},
        {"a|b", "it holds the character |"},
        {"a?", "it holds the character ?"},
        {"*", "it holds the character *"},
        {".", "it is \".\""},
        {"..", "it is \"..\""},
        {"Lobby.", "it ends in a dot"},
        {"Lobby ", "it ends in a blank"},
        {"con", "it is the name of a device"},
        {"Nul.tga", "it is the name of a device"},
        {"AUX .x", "it is the name of a device"},
        {"com7", "it is the name of a device"},
        {"LPT1", "it is the name of a device"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckFileName(c.name).error(), c.reason) << QuoteForMessage(c.name);
    }
}

TEST(FileNameCheck, MessagesShowHostileNamesOnOneLine) {
    EXPECT_EQ(QuoteForMessage("a\ntouch\r\t\\x\x01"), "\"a\\ntouch\\r\\t\\\\x\\x01\"");
    EXPECT_EQ(QuoteForMessage("Lobby & Bar"), "\"Lobby & Bar\"");
}

}  // namespace
}  // namespace support
