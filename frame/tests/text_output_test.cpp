#include "frame/text_output.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frame/paths.h"
#include "frame/testing/test_support.h"

TEST(FormatG, WidensExponentsToThreeDigits) {
    EXPECT_EQ(FormatG(1e6), "1e+006");
    EXPECT_EQ(FormatG(1e-5), "1e-005");
    EXPECT_EQ(FormatG(-1.5e-5), "-1.5e-005");
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+006");
    EXPECT_EQ(FormatG(1e100), "1e+100");
    EXPECT_EQ(FormatG(1e-300), "1e-300");
}

TEST(FormatG, LeavesFixedFormAlone) {
    EXPECT_EQ(FormatG(0.0), "0");
    EXPECT_EQ(FormatG(-0.0), "-0");
    EXPECT_EQ(FormatG(123456.0), "123456");
    EXPECT_EQ(FormatG(0.0001), "0.0001");
    EXPECT_EQ(FormatG(0.5f), "0.5");
    EXPECT_EQ(FormatG(1.0 / 3.0), "0.333333");
}

TEST(TextFileWriter, WritesCrLfAndDiscardsOnRequest) {
    TempDir dir;
    const std::string path = dir.File("out.txt");
    TextFileWriter out;
    ASSERT_TRUE(out.Open(path));
    out.WriteLine("a");
    out.WriteLine("");
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadWholeFile(path), "a\r\n\r\n");

    TextFileWriter again;
    ASSERT_TRUE(again.Open(path));
    again.WriteLine("partial");
    again.Discard();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TextFileWriter, DestroyedWhileOpenLeavesNoFile) {
    TempDir dir;
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
    TempDir dir;
    TextFileWriter out;
    EXPECT_FALSE(out.Open(dir.File("missing/out.txt")));
    out.Discard();  // nothing to delete, and no crash
}

TEST(Paths, JoinKeepsAnExistingSeparator) {
    EXPECT_EQ(JoinPath("/cfg", "q.ini"), "/cfg/q.ini");
    EXPECT_EQ(JoinPath("/cfg/", "q.ini"), "/cfg/q.ini");
    EXPECT_EQ(JoinPath("C:\\cfg\\", "q.ini"), "C:\\cfg\\q.ini");
    EXPECT_EQ(JoinPath("", "q.ini"), "q.ini");
}

TEST(Paths, DriveAndDirectorySplitOnBothSeparators) {
    EXPECT_EQ(DriveAndDirectory("C:\\out\\walk.POS"), "C:\\out\\");
    EXPECT_EQ(DriveAndDirectory("/tmp/out/walk.POS"), "/tmp/out/");
    EXPECT_EQ(DriveAndDirectory("C:\\out/sub\\walk.POS"), "C:\\out/sub\\");
    EXPECT_EQ(DriveAndDirectory("C:walk.POS"), "C:");
    EXPECT_EQ(DriveAndDirectory("walk.POS"), "");
}
