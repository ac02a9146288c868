#include "rawsmith/output_files.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace rawsmith {
namespace {

TEST(RawsmithOutputPath, ReplacesOnlyTheFileNamesExtension) {
    EXPECT_EQ(ReplaceExtension("out/Cam01.tga", ".raw"), "out/Cam01.raw");
    EXPECT_EQ(ReplaceExtension("C:\\out\\Cam01n.tga", ".act"), "C:\\out\\Cam01n.act");
    EXPECT_EQ(ReplaceExtension("render.v2/Cam01", ".raw"), "render.v2/Cam01.raw");
    EXPECT_EQ(ReplaceExtension("C:Cam01", ".raw"), "C:Cam01.raw");
    EXPECT_EQ(ReplaceExtension("Cam.01.tga", ".raw"), "Cam.01.raw");
    EXPECT_EQ(ReplaceExtension(".tga", ".raw"), ".tga.raw");
}

TEST(RawsmithOutputFiles, WritesBothOrNothing) {
    const testing::TempFolder folder("pair");
    std::string error;
    ASSERT_TRUE(WriteFilePair(folder.File("a.raw"), std::vector<uint8_t>{1, 2},
                              folder.File("a.act"), std::vector<uint8_t>{3}, error))
        << error;
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.act", "a.raw"}));
    EXPECT_EQ(testing::ReadBytes(folder.File("a.raw")), (std::vector<uint8_t>{1, 2}));

    // The second file cannot be created: the first does not appear either.
    EXPECT_FALSE(WriteFilePair(folder.File("b.raw"), std::vector<uint8_t>{1},
                               folder.File("missing/b.act"), std::vector<uint8_t>{2}, error));
    EXPECT_NE(error.find("missing/b.act.part: cannot create"), std::string::npos) << error;
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.act", "a.raw"}));
}

TEST(RawsmithOutputFiles, ReplacesAnEarlierFileAndLeavesNoTemporary) {
    const testing::TempFolder folder("single");
    std::string error;
    testing::WriteBytes(folder.File("x.ppm"), {9, 9, 9});
    ASSERT_TRUE(WriteFileReplacing(folder.File("x.ppm"), std::vector<uint8_t>{5}, error)) << error;
    EXPECT_EQ(testing::ReadBytes(folder.File("x.ppm")), (std::vector<uint8_t>{5}));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"x.ppm"}));
    EXPECT_FALSE(WriteFileReplacing(folder.File("no/x.ppm"), std::vector<uint8_t>{5}, error));
}

}  // namespace
}  // namespace rawsmith
