#include "frame/text_output.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "frame/testing/test_support.h"

namespace frame {

using namespace hostfakes;
using namespace support::testing;

TEST(TextFileWriter, WritesCrLfAndReplacesTheTargetOnlyWhenComplete) {
    TempFolder dir;
    const std::string path = dir.File("out.txt");
    TextFileWriter out;
    ASSERT_TRUE(out.Open(path));
    out.WriteLine("a");
    out.WriteLine("");
    // Nothing appears under the target's name before the close.
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadFile(path), "a\r\n\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.txt"});

    // A discarded or abandoned writer leaves the earlier file as it was, and nothing else.
    TextFileWriter again;
    ASSERT_TRUE(again.Open(path));
    again.WriteLine("partial");
    again.Discard();
    {
        TextFileWriter abandoned;
        ASSERT_TRUE(abandoned.Open(path));
        abandoned.WriteLine("cancelled");
    }
    EXPECT_EQ(ReadFile(path), "a\r\n\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.txt"});
}

TEST(TextFileWriter, FollowsLinksAndKeepsPermissions) {
    namespace fs = std::filesystem;
    TempFolder dir;
    WriteFile(dir.File("real.txt"), "old");
    fs::permissions(dir.File("real.txt"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.txt", dir.File("link.txt"));
    TextFileWriter out;
    ASSERT_TRUE(out.Open(dir.File("link.txt")));
    out.WriteLine("new");
    ASSERT_TRUE(out.Close());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.File("link.txt"))));
    EXPECT_EQ(ReadFile(dir.File("real.txt")), "new\r\n");
    EXPECT_EQ(fs::status(dir.File("real.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(TextFileWriter, AFolderThatVanishesFailsTheClose) {
    TempFolder dir;
    const std::string folder = dir.File("sub");
    std::filesystem::create_directory(folder);
    TextFileWriter out;
    ASSERT_TRUE(out.Open(folder + "/out.txt"));
    out.WriteLine("x");
    std::filesystem::remove_all(folder);
    EXPECT_FALSE(out.Close());
}

TEST(TextFileWriter, ReportsAFullDiskAtTheLatestOnClose) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TextFileWriter out;
    ASSERT_TRUE(out.Open("/dev/full"));
    out.WriteLine("does not fit");
    EXPECT_FALSE(out.Close());
}

TEST(TextFileWriter, OpenFailsInAMissingFolderAndOnAReadOnlyFile) {
    TempFolder dir;
    TextFileWriter out;
    EXPECT_FALSE(out.Open(dir.File("missing/out.txt")));
    out.Discard();  // nothing to delete, and no crash
    if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    WriteFile(dir.File("ro.txt"), "kept");
    std::filesystem::permissions(dir.File("ro.txt"), std::filesystem::perms::owner_read);
    EXPECT_FALSE(out.Open(dir.File("ro.txt")));
    EXPECT_EQ(ReadFile(dir.File("ro.txt")), "kept");
}

}  // namespace frame
