#include "camweave/command_line.h"

#include <gtest/gtest.h>

namespace camweave {
namespace {

bool NoFiles(const std::string&) {
    return false;
}

TEST(CommandLine, SwitchesInAnyOrderLaterOnesWin) {
    const ParsedCommandLine parsed =
        ParseCommandLine({"/TP", "scene", "-P", "/r  c:\\out\\shot extra", "list", "-t"}, NoFiles);
    ASSERT_TRUE(parsed.settings);
    EXPECT_EQ(parsed.settings->lwsArgument, "scene");
    EXPECT_EQ(parsed.settings->lcArgument, "list");
    EXPECT_TRUE(parsed.settings->panning);
    EXPECT_EQ(parsed.settings->renamePrefix, "c:\\out\\shot");
    EXPECT_EQ(parsed.settings->converterMode, 1);
}

TEST(CommandLine, PrefixesUpTo255CharactersThatCanBeginAPath) {
    EXPECT_TRUE(ParseCommandLine({"s", "/r" + std::string(255, 'p')}, NoFiles).settings);
    EXPECT_EQ(ParseCommandLine({"s", "/r" + std::string(256, 'p')}, NoFiles).usageMessage,
              "Error parsing /r prefix: longer than 255 characters\n");
    EXPECT_EQ(ParseCommandLine({"a", "b", "c", "/x"}, NoFiles).usageMessage, "Extra parm: c\n");
    EXPECT_EQ(ParseCommandLine({"s", "/rshot*"}, NoFiles).usageMessage,
              "Error parsing /r prefix: it holds the character *\n");
    EXPECT_EQ(ParseCommandLine({"s", "/rsh\"ot"}, NoFiles).usageMessage,
              "Error parsing /r prefix: it holds the character \"\n");
    EXPECT_EQ(ParseCommandLine({"s", "/rR&D\\100%\\shot"}, NoFiles).settings->renamePrefix,
              "R&D\\100%\\shot");
}

// An absolute path here begins with '/', as a switch does.
TEST(CommandLine, AbsolutePathsThatNameFilesAreFiles) {
    const auto files = [](const std::string& path) {
        return path == "/tmp/s.lws" || path == "/p/list.lc" || path == "/rr/s.lws";
    };
    const ParsedCommandLine parsed =
        ParseCommandLine({"/tmp/s.lws", "/p/list.lc", "/t", "/rrenders/shot"}, files);
    ASSERT_TRUE(parsed.settings) << parsed.usageMessage;
    EXPECT_EQ(parsed.settings->lwsArgument, "/tmp/s.lws");
    EXPECT_EQ(parsed.settings->lcArgument, "/p/list.lc");
    EXPECT_FALSE(parsed.settings->panning);
    EXPECT_EQ(parsed.settings->converterMode, 1);
    EXPECT_EQ(parsed.settings->renamePrefix, "renders/shot");
    EXPECT_EQ(ParseCommandLine({"/rr/s.lws"}, files).settings->lwsArgument, "/rr/s.lws");

    // A path that names nothing is no /t or /p either: the message names it.
    EXPECT_EQ(ParseCommandLine({"/tmp/missing.lws"}, files).usageMessage,
              "Invalid switch: /tmp/missing.lws\n");
    EXPECT_EQ(ParseCommandLine({"s", "/p\\x"}, files).usageMessage, "Invalid switch: /p\\x\n");
}

TEST(CommandLine, HelpAndVersionAnywhere) {
    EXPECT_TRUE(ParseCommandLine({"/x", "--help"}, NoFiles).help);
    EXPECT_TRUE(ParseCommandLine({"scene", "--version"}, NoFiles).version);
    EXPECT_EQ(HelpText().rfind(kUsageText, 0), 0u);
    EXPECT_EQ(VersionText(), std::string("camweave ") + ASSETPIPE_VERSION + "\n");
}

}  // namespace
}  // namespace camweave
