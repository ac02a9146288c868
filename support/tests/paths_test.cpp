#include "support/paths.h"

#include <gtest/gtest.h>

namespace support {
namespace {

TEST(Paths, SplitsAsTheWindowsLibraryDoes) {
    struct Case {
        const char* path;
        PathParts parts;
    };
    const Case cases[] = {
        {"C:\\renders\\out\\Cam01.tga", {"C:", "\\renders\\out\\", "Cam01", ".tga"}},
        {"c:relative.x.lws", {"c:", "", "relative.x", ".lws"}},
        {"a/b\\c", {"", "a/b\\", "c", ""}},
        {"folder.d/name", {"", "folder.d/", "name", ""}},  // a dot in a folder is no extension
        {"/abs/file.", {"", "/abs/", "file", "."}},
        {".hidden", {"", "", "", ".hidden"}},
        {"1:notadrive", {"", "", "1:notadrive", ""}},
        {"", {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        const PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.drive, c.parts.drive) << c.path;
        EXPECT_EQ(p.folder, c.parts.folder) << c.path;
        EXPECT_EQ(p.base, c.parts.base) << c.path;
        EXPECT_EQ(p.extension, c.parts.extension) << c.path;
    }
}

TEST(Paths, JoinsKeepingAnExistingSeparator) {
    EXPECT_EQ(JoinPath("C:\\out", "a.tga"), "C:\\out/a.tga");
    EXPECT_EQ(JoinPath("C:\\out\\", "a.tga"), "C:\\out\\a.tga");
    EXPECT_EQ(JoinPath("/tmp/", "a.tga"), "/tmp/a.tga");
    EXPECT_EQ(JoinPath("", "a.tga"), "a.tga");
    EXPECT_EQ(JoinPath("C:", "a.tga"), "C:/a.tga");
}

TEST(Paths, PiecesOfAPath) {
    EXPECT_EQ(DriveAndFolder("D:\\out\\pose.POS"), "D:\\out\\");
    EXPECT_EQ(DriveAndFolder("E:pose.POS"), "E:");
    EXPECT_EQ(DriveAndFolder("pose.POS"), "");
    EXPECT_EQ(FileName("C:\\maps\\skin.bmp"), "skin.bmp");
    EXPECT_EQ(BaseName("C:noext"), "noext");
    EXPECT_EQ(BaseName("maps\\"), "");
    EXPECT_EQ(ReplaceExtension("C:\\out\\Cam01n.tga", ".raw"), "C:\\out\\Cam01n.raw");
    EXPECT_EQ(ReplaceExtension("dir.v2/pic", ".act"), "dir.v2/pic.act");
}

}  // namespace
}  // namespace support
