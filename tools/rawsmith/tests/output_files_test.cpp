#include "rawsmith/output_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace rawsmith {
namespace {

using support::testing::ReadBytes;
using support::testing::TempFolder;
using support::testing::WriteBytes;

const std::vector<uint8_t> kOne = {1, 2}, kTwo = {3}, kThree = {4, 5, 6};

TEST(RawsmithOutputFiles, WritesAllOrNothing) {
    const TempFolder folder;
    const std::vector<OutputFile> pair = {{folder / "a.raw", kOne}, {folder / "a.act", kTwo}};
    ASSERT_TRUE(WriteFiles(pair));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.act", "a.raw"}));
    EXPECT_EQ(ReadBytes(folder / "a.raw"), kOne);
    EXPECT_EQ(ReadBytes(folder / "a.act"), kTwo);

    // The second file cannot be created: the first does not appear either.
    const std::vector<OutputFile> noFolder = {{folder / "b.raw", kOne},
                                              {folder / "missing/b.act", kTwo}};
    const support::Status created = WriteFiles(noFolder);
    EXPECT_EQ(created.error(),
              folder / "missing/b.act" + ": cannot create: No such file or directory");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.act", "a.raw"}));

    // The second file is written but cannot be renamed into place (a folder holds its name):
    // the first, already renamed, is removed again, and no temporary file stays.
    std::filesystem::create_directories(folder / "c.act/inside");
    const std::vector<OutputFile> blocked = {
        {folder / "c.raw", kOne}, {folder / "c.act", kTwo}, {folder / "c.png", kThree}};
    const support::Status renamed = WriteFiles(blocked);
    EXPECT_EQ(renamed.error().rfind(folder / "c.act" + ": cannot replace: ", 0), 0u)
        << renamed.error();
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.act", "a.raw", "c.act"}));
}

// A file that has a temporary file's name (a leftover of a killed run, or the user's own) is
// neither written into nor removed.
TEST(RawsmithOutputFiles, NeverTouchesAnExistingFileOfATemporaryName) {
    const TempFolder folder;
    WriteBytes(folder / "x.raw.part", kThree);
    WriteBytes(folder / "x.raw", kTwo);
    ASSERT_TRUE(WriteFileReplacing(folder / "x.raw", kOne));
    EXPECT_EQ(ReadBytes(folder / "x.raw"), kOne);
    EXPECT_EQ(ReadBytes(folder / "x.raw.part"), kThree);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"x.raw", "x.raw.part"}));
    EXPECT_FALSE(WriteFileReplacing(folder / "no/x.ppm", kOne));
}

TEST(RawsmithSameFile, ComparesFilesNotSpellings) {
    const TempFolder folder;
    std::filesystem::create_directories(folder / "sub");
    WriteBytes(folder / "pic.raw", kOne);
    WriteBytes(folder / "other.raw", kOne);
    std::filesystem::create_symlink(folder / "pic.raw", folder / "link.tga");
    std::filesystem::create_hard_link(folder / "pic.raw", folder / "hard.tga");
    std::filesystem::create_directory_symlink(folder.Path(), folder / "sub/up");

    EXPECT_TRUE(SameFile(folder / "pic.raw", folder / "sub/../pic.raw"));
    EXPECT_TRUE(SameFile(folder / "pic.raw", folder / "sub/up/pic.raw"));
    EXPECT_TRUE(SameFile(folder / "pic.raw", folder / "link.tga"));
    EXPECT_TRUE(SameFile(folder / "hard.tga", folder / "pic.raw"));
    EXPECT_FALSE(SameFile(folder / "pic.raw", folder / "other.raw"));
    // Outputs that do not exist yet.
    EXPECT_TRUE(SameFile(folder / "new.raw", folder / "sub/up/new.raw"));
    EXPECT_FALSE(SameFile(folder / "new.raw", folder / "new.act"));
    EXPECT_FALSE(SameFile(folder / "new.raw", folder / "pic.raw"));
}

}  // namespace
}  // namespace rawsmith
