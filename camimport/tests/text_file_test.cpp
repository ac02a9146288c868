#include "camweave/text_file.h"

#include <gtest/gtest.h>

#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace camweave {
namespace {

using support::testing::ReadFile;
using support::testing::TempFolder;
using support::testing::WriteFile;

TEST(ReplacementFile, TargetChangesOnlyWhenComplete) {
    TempFolder folder;
    const std::string target = folder / "run.bat";
    WriteFile(target, "old\r\n");
    WriteFile(folder / "run.bat.new", "a file of the user's");
    {
        ReplacementFile file(target);
        ASSERT_TRUE(file.IsOpen());
        file.Writer().WriteLine("half");
        // Not committed: the earlier file stays, the temporary one goes.
    }
    EXPECT_EQ(ReadFile(target), "old\r\n");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"run.bat", "run.bat.new"}));

    ReplacementFile file(target);
    file.Writer().WriteLine("new");
    ASSERT_TRUE(file.Close());
    ASSERT_TRUE(file.MoveOverTarget().ok());
    EXPECT_EQ(ReadFile(target), "new\r\n");
    EXPECT_EQ(ReadFile(folder / "run.bat.new"), "a file of the user's");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"run.bat", "run.bat.new"}));
}

TEST(ReplacementFile, FailuresLeaveNothingBehind) {
    TempFolder folder;
    EXPECT_FALSE(ReplacementFile(folder / "missing/run.bat").IsOpen());

    std::filesystem::create_directory(folder / "run.bat");
    WriteFile(folder / "run.bat/keep", "x");
    {
        ReplacementFile file(folder / "run.bat");
        ASSERT_TRUE(file.Close());
        const support::Status moved = file.MoveOverTarget();
        EXPECT_FALSE(moved.ok());
        EXPECT_NE(moved.error(), "");
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"run.bat"}));
    EXPECT_EQ(ReadFile(folder / "run.bat/keep"), "x");
}

TEST(LineReader, LinesOfAnyLengthAndEitherLineEnd) {
    std::string text = std::string(100000, 'x') + "\r\nb\n\r\nlast";
    LineReader reader(fmemopen(text.data(), text.size(), "rb"));
    std::string line;
    bool hasLineEnd = false;
    std::vector<std::string> lines;
    while (reader.ReadLine(line, hasLineEnd)) lines.push_back(line + (hasLineEnd ? "|" : ""));
    EXPECT_EQ(lines, (std::vector<std::string>{std::string(100000, 'x') + "|", "b|", "|", "last"}));
    EXPECT_FALSE(reader.Failed());
}

}  // namespace
}  // namespace camweave
