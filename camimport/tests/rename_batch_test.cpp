#include "camweave/rename_batch.h"

#include <gtest/gtest.h>

#include "support/batch_argument.h"

namespace camweave {
namespace {

std::vector<CameraRecord> Named(const std::vector<std::string>& names) {
    std::vector<CameraRecord> cameras(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) cameras[i].name = names[i];
    return cameras;
}

TEST(RenameBatch, RenamesNumberedRendersAndRunsTheConverter) {
    const std::vector<std::string> full =
        RenameBatchLines(Named({"Lobby", "RoofN"}), "c:\\renders\\shot", 1);
    const std::vector<std::string> expected = {
        "ren c:\\renders\\shot0001.tga Lobby.tga", "rawsmith /q c:\\renders\\Lobby.tga",
        "ren c:\\renders\\shot0002.tga RoofN.tga", "rawsmith /q c:\\renders\\RoofN.tga", "pause"};
    EXPECT_EQ(full, expected);
    std::vector<CameraRecord> many(10000);
    EXPECT_EQ(RenameBatchLines(many, "s", 0)[9998], "ren s9999.tga .tga");
    EXPECT_EQ(RenameBatchLines(many, "s", 0)[9999], "ren s10000.tga .tga");
}

TEST(RenameBatch, SpecialNamesStayOneArgument) {
    EXPECT_EQ(support::BatchArgument("Lobby.tga"), "Lobby.tga");
    EXPECT_EQ(support::BatchArgument("renders\\Lobby's.tga"), "renders\\Lobby's.tga");
    EXPECT_EQ(support::BatchArgument("Lobby Bar.tga"), "\"Lobby Bar.tga\"");
    EXPECT_EQ(support::BatchArgument("100%.tga"), "100%%.tga");
    EXPECT_EQ(support::BatchArgument("%PATH% & x.tga"), "\"%%PATH%% & x.tga\"");
    for (const char* name :
         {"a&b", "a|b", "a<b", "a>b", "a^b", "a(b", "a)b", "a,b", "a;b", "a=b", "a\tb"}) {
        EXPECT_EQ(support::BatchArgument(name), "\"" + std::string(name) + "\"") << name;
    }
    const std::vector<std::string> lines =
        RenameBatchLines(Named({"Lobby & Bar", "50%"}), "R&D\\shot", 2);
    const std::vector<std::string> expected = {
        "ren \"R&D\\shot0001.tga\" \"Lobby & Bar.tga\"",
        "rawsmith /q /p /m \"R&D\\Lobby & Bar.tga\"",
        "ren \"R&D\\shot0002.tga\" 50%%.tga",
        "rawsmith /q /p /m \"R&D\\50%%.tga\"",
        "pause",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace camweave
