#include "camweave/scene_replace.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace camweave {
namespace {

namespace fs = std::filesystem;
using support::testing::ReadFile;
using support::testing::TempFolder;
using support::testing::WriteFile;

TEST(ReplaceScene, KeepsTheOldSceneAsBackup) {
    TempFolder folder;
    WriteFile(folder / "s.lws", "old");
    WriteFile(folder / "s.bak", "older");
    WriteFile(folder / "new", "new");
    std::ostringstream console;
    const support::Status status =
        ReplaceScene(folder / "s.lws", folder / "s.bak", folder / "new", console);
    ASSERT_TRUE(status.ok()) << status.error();
    EXPECT_EQ(ReadFile(folder / "s.lws"), "new");
    EXPECT_EQ(ReadFile(folder / "s.bak"), "old");
    EXPECT_FALSE(fs::exists(folder / "new"));
    EXPECT_EQ(console.str(),
              "Backing up " + (folder / "s.lws") + " to " + (folder / "s.bak") + "...\n");
}

TEST(ReplaceScene, PutsTheSceneBackWhenTheNewOneCannotMoveIn) {
    TempFolder folder;
    WriteFile(folder / "s.lws", "old");
    std::ostringstream console;
    const support::Status status =
        ReplaceScene(folder / "s.lws", folder / "s.bak", folder / "missing", console);
    EXPECT_NE(status.error().find("the scene is unchanged"), std::string::npos) << status.error();
    EXPECT_EQ(ReadFile(folder / "s.lws"), "old");
    EXPECT_FALSE(fs::exists(folder / "s.bak"));
}

TEST(ReplaceScene, StopsWhenTheOldBackupCannotBeDeleted) {
    TempFolder folder;
    WriteFile(folder / "s.lws", "old");
    WriteFile(folder / "new", "new");
    fs::create_directory(folder / "s.bak");
    WriteFile(folder / "s.bak/keep", "x");
    std::ostringstream console;
    const support::Status status =
        ReplaceScene(folder / "s.lws", folder / "s.bak", folder / "new", console);
    EXPECT_EQ(status.error().rfind("Can't delete " + (folder / "s.bak"), 0), 0u) << status.error();
    EXPECT_EQ(ReadFile(folder / "s.lws"), "old");
}

TEST(ReplaceScene, CopiesAcrossFileSystems) {
    // /dev/shm is a memory file system on most machines; without it there is nothing to cross.
    std::error_code ec;
    TempFolder folder;
    if (!fs::is_directory("/dev/shm", ec)) GTEST_SKIP() << "no /dev/shm";
    const fs::path other = fs::path("/dev/shm") / folder.Path().filename();
    fs::create_directory(other, ec);
    if (ec) GTEST_SKIP() << "cannot write /dev/shm";
    WriteFile((other / "new").string(), "new");
    WriteFile(folder / "s.lws", "old");
    std::ostringstream console;
    const support::Status status =
        ReplaceScene(folder / "s.lws", folder / "s.bak", (other / "new").string(), console);
    const bool copyLeft = fs::exists(other / "new");
    fs::remove_all(other, ec);
    EXPECT_FALSE(copyLeft);
    ASSERT_TRUE(status.ok()) << status.error();
    EXPECT_EQ(ReadFile(folder / "s.lws"), "new");
    EXPECT_EQ(ReadFile(folder / "s.bak"), "old");
}

}  // namespace
}  // namespace camweave
