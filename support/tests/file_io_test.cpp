#include "support/file_io.h"

#include <gtest/gtest.h>

#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace support {
namespace {

TEST(ReadWholeFile, ReadsBytesOrSaysWhyNot) {
    testing::TempFolder folder;
    const std::string bytes("a\0b\r\n", 5);
    testing::WriteFile(folder / "f", bytes);
    const Result<std::string> read = ReadWholeFile(folder / "f");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, bytes);

    EXPECT_EQ(ReadWholeFile(folder / "missing").error(), "cannot open: No such file or directory");
    EXPECT_EQ(ReadWholeFile(folder.Path().string()).error(), "is a folder");
    EXPECT_EQ(ReadWholeFile(folder / "f", 4).error(), "larger than 4 bytes");
    EXPECT_TRUE(ReadWholeFile(folder / "f", 5).ok());
}

}  // namespace
}  // namespace support
