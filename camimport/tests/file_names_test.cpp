#include "camweave/file_names.h"

#include <gtest/gtest.h>

namespace camweave {
namespace {

TEST(FileNames, DerivesTheRunsNames) {
    const RunFileNames plain = DeriveFileNames("c:\\scenes\\lobby", "");
    EXPECT_EQ(plain.lws, "c:\\scenes\\lobby.lws");
    EXPECT_EQ(plain.lc, "c:\\scenes\\lobby.lc");
    EXPECT_EQ(plain.backup, "c:\\scenes\\lobby.bak");
    EXPECT_EQ(plain.batch, "c:\\scenes\\lobby_rename_cameras.bat");

    EXPECT_EQ(DeriveFileNames("a/scene.LWS", "lists/cams").lc, "lists/cams.lc");
    EXPECT_EQ(DeriveFileNames("a/scene.LWS", "lists/cams.txt").lc, "lists/cams.txt");
    EXPECT_EQ(DeriveFileNames("a/scene.LWS", "").lws, "a/scene.LWS");
    EXPECT_EQ(DeriveFileNames("v1.2/lobby", "").lws, "v1.2/lobby.lws");
    EXPECT_EQ(DeriveFileNames("c:\\v1.2/lobby.final.lws", "").batch,
              "c:\\v1.2/lobby.final_rename_cameras.bat");
}

}  // namespace
}  // namespace camweave
