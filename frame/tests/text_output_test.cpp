#include "frame/text_output.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frame/testing/test_support.h"

namespace frame {

using namespace hostfakes;
using namespace support::testing;

TEST(TextFileWriter, WritesCrLfAndDiscardsOnRequest) {
    TempFolder dir;
    const std::string path = dir.File("out.txt");
    TextFileWriter out;
    ASSERT_TRUE(out.Open(path));
    out.WriteLine("a");
    out.WriteLine("");
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadFile(path), "a\r\n\r\n");

    TextFileWriter again;
    ASSERT_TRUE(again.Open(path));
    again.WriteLine("partial");
    again.Discard();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TextFileWriter, DestroyedWhileOpenLeavesNoFile) {
    TempFolder dir;
    const std::string path = dir.File("out.txt");
    {
        TextFileWriter out;
        ASSERT_TRUE(out.Open(path));
        out.WriteLine("x");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TextFileWriter, ReportsAFullDiskAtTheLatestOnClose) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TextFileWriter out;
    ASSERT_TRUE(out.Open("/dev/full"));
    out.WriteLine("does not fit");
    EXPECT_FALSE(out.Close());
}

TEST(TextFileWriter, OpenFailsInAMissingFolder) {
    TempFolder dir;
    TextFileWriter out;
    EXPECT_FALSE(out.Open(dir.File("missing/out.txt")));
    out.Discard();  // nothing to delete, and no crash
}

}  // namespace frame
