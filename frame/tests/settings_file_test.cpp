#include "frame/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frame/plugin_state.h"
#include "frame/testing/fake_host.h"
#include "frame/testing/test_support.h"

namespace {

// Settings that differ from the defaults everywhere, to see what a load replaces.
ExportSettings Marked() {
    ExportSettings s;
    s.rules = {"+old"};
    s.ignoreHidden = 1;
    s.scaleFactor = 7.0f;
    s.rotate180 = 1;
    s.exportTextures = 1;
    return s;
}

ExportSettings ParsedBone(const std::string& text, SettingsStatus expected) {
    ExportSettings s = Marked();
    const SettingsLoadResult r = ParseBoneSettings(text, s);
    EXPECT_EQ(r.status, expected) << text << "\n" << r.problem;
    return s;
}

}  // namespace

TEST(BoneSettingsFile, ReadsEveryVersion) {
    // Version 1: rules without sign, ignoreHidden only.
    ExportSettings v1 = ParsedBone("1\n2\nArm*\nLeg?\n1\n", SettingsStatus::Loaded);
    EXPECT_EQ(v1.rules, (std::vector<std::string>{"+Arm*", "+Leg?"}));
    EXPECT_EQ(v1.ignoreHidden, 1);
    EXPECT_EQ(v1.scaleFactor, 7.0f);  // not in the file: kept
    EXPECT_EQ(v1.rotate180, 1);

    ExportSettings v2 = ParsedBone("2\n0\n0\n2.5\n", SettingsStatus::Loaded);
    EXPECT_TRUE(v2.rules.empty());
    EXPECT_EQ(v2.ignoreHidden, 0);
    EXPECT_EQ(v2.scaleFactor, 2.5f);
    EXPECT_EQ(v2.rotate180, 1);

    ExportSettings v3 = ParsedBone("3\n1\nArm*\n0\n1\n0\n", SettingsStatus::Loaded);
    EXPECT_EQ(v3.rules, std::vector<std::string>{"+Arm*"});
    EXPECT_EQ(v3.rotate180, 0);
    EXPECT_EQ(v3.exportTextures, 1);  // versions 1 to 4 have no textures line

    ExportSettings v4 = ParsedBone("4\n2\n-Arm*\n+Leg\n0\n1\n0\n", SettingsStatus::Loaded);
    EXPECT_EQ(v4.rules, (std::vector<std::string>{"-Arm*", "+Leg"}));
    EXPECT_EQ(v4.exportTextures, 1);

    ExportSettings v5 =
        ParsedBone("5\r\n1\r\n-*End\r\n0\r\n0.5\r\n0\r\n0\r\n", SettingsStatus::Loaded);
    EXPECT_EQ(v5.rules, std::vector<std::string>{"-*End"});
    EXPECT_EQ(v5.scaleFactor, 0.5f);
    EXPECT_EQ(v5.exportTextures, 0);
}

TEST(BoneSettingsFile, IgnoresANewerVersionCompletely) {
    ExportSettings s = ParsedBone("6\n0\n0\n3\n0\n0\n", SettingsStatus::Newer);
    EXPECT_EQ(s.rules, std::vector<std::string>{"+old"});
    EXPECT_EQ(s.scaleFactor, 7.0f);
    ParsedBone("99\n", SettingsStatus::Newer);
}

TEST(BoneSettingsFile, SkipsBlankLinesAndLeadingBlanksButKeepsTrailingOnes) {
    ExportSettings s =
        ParsedBone("5\n\n2\n   +Arm* \n\n\t-x\n0\n1\n0\n0\n", SettingsStatus::Loaded);
    EXPECT_EQ(s.rules, (std::vector<std::string>{"+Arm* ", "-x"}));
}

TEST(BoneSettingsFile, RuleLengthLimit) {
    const std::string longest = "+" + std::string(98, 'a');
    ExportSettings s = ParsedBone("5\n1\n" + longest + "\n0\n1\n0\n0\n", SettingsStatus::Loaded);
    EXPECT_EQ(s.rules, std::vector<std::string>{longest});

    ExportSettings over;
    const SettingsLoadResult r =
        ParseBoneSettings("5\n1\n+" + std::string(99, 'a') + "\n0\n1\n0\n0\n", over);
    EXPECT_EQ(r.status, SettingsStatus::Damaged);
    EXPECT_EQ(r.problem, "line 3: rule longer than 99 characters");
    EXPECT_TRUE(over.rules.empty());
}

TEST(BoneSettingsFile, DamagedFilesChangeNothing) {
    struct Case {
        const char* text;
        const char* problem;
    };
    const Case cases[] = {
        {"", "line 1: expected the format version"},
        {"five\n", "line 1: expected the format version"},
        {"0\n0\n0\n", "line 1: unknown format version 0"},
        {"5\n", "line 2: expected the number of rules"},  // cut before the rules
        {"5\n-1\n0\n1\n0\n0\n", "line 2: negative number of rules"},
        {"5\n3\n+a\n+b\n", "line 5: the file ends after 2 of 3 rules"},  // cut inside the rules
        {"5\n2147483647\n+a\n", "line 4: the file ends after 1 of 2147483647 rules"},
        {"5\n99999999999\n", "line 2: expected the number of rules"},
        {"5\n0\n", "line 3: expected the ignore-hidden flag"},
        {"5\n0\n0\nbig\n0\n0\n", "line 4: expected the scale factor"},
        {"5\n0\n0\nnan\n0\n0\n", "line 4: expected the scale factor"},
        {"5\n0\n0\n1\n", "line 5: expected the rotation flag"},
        {"5\n0\n0\n1\n0\n", "line 6: expected the texture export flag"},
        {"5\n0\n1x\n1\n0\n0\n", "line 3: expected the ignore-hidden flag"},
    };
    for (const Case& c : cases) {
        ExportSettings s = Marked();
        const SettingsLoadResult r = ParseBoneSettings(c.text, s);
        EXPECT_EQ(r.status, SettingsStatus::Damaged) << c.text;
        EXPECT_EQ(r.problem, c.problem) << c.text;
        EXPECT_EQ(s.rules, std::vector<std::string>{"+old"}) << c.text;
        EXPECT_EQ(s.scaleFactor, 7.0f) << c.text;
    }
}

TEST(BoneSettingsFile, EveryPrefixOfAValidFileIsHandled) {
    const std::string full = "5\r\n2\r\n+Bip*\r\n-*Nub\r\n1\r\n2.5\r\n1\r\n0\r\n";
    for (std::size_t n = 0; n < full.size(); ++n) {
        ExportSettings s;
        const SettingsLoadResult r = ParseBoneSettings(full.substr(0, n), s);
        // A prefix that ends inside the last value still reads a whole file ("0" of "0\r\n").
        if (r.status == SettingsStatus::Loaded)
            EXPECT_GE(n, full.size() - 2);
        else
            EXPECT_EQ(r.status, SettingsStatus::Damaged);
    }
}

TEST(BoneSettingsFile, WritesVersionFiveThatReadsBack) {
    ExportSettings s;
    s.rules = {"+Arm*", "-*End"};
    s.ignoreHidden = 1;
    s.scaleFactor = 1e-5f;
    s.rotate180 = 1;
    s.exportTextures = 1;
    const std::string text = FormatBoneSettings(s);
    EXPECT_EQ(text, "5\r\n2\r\n+Arm*\r\n-*End\r\n1\r\n1e-005\r\n1\r\n1\r\n");
    ExportSettings back;
    ASSERT_EQ(ParseBoneSettings(text, back).status, SettingsStatus::Loaded);
    EXPECT_EQ(back.rules, s.rules);
    EXPECT_FLOAT_EQ(back.scaleFactor, 1e-5f);
    EXPECT_EQ(back.exportTextures, 1);
}

TEST(BoneSettingsFile, AVersionThreeFileIsSavedAsVersionFive) {
    ExportSettings s;
    ASSERT_EQ(ParseBoneSettings("3\n1\nArm*\n0\n1\n0\n", s).status, SettingsStatus::Loaded);
    EXPECT_EQ(FormatBoneSettings(s), "5\r\n1\r\n+Arm*\r\n0\r\n1\r\n0\r\n0\r\n");
}

TEST(CourseSettingsFile, ReadsVersionOneAndIgnoresNewer) {
    ExportSettings s;
    s.rules = {"+kept"};
    ASSERT_EQ(ParseCourseSettings("1\n12\n1\n", s).status, SettingsStatus::Loaded);
    EXPECT_EQ(s.scaleFactor, 12.0f);
    EXPECT_EQ(s.rotate180, 1);
    EXPECT_EQ(s.rules, std::vector<std::string>{"+kept"});

    EXPECT_EQ(ParseCourseSettings("2\n3\n0\n", s).status, SettingsStatus::Newer);
    EXPECT_EQ(s.scaleFactor, 12.0f);
    EXPECT_EQ(ParseCourseSettings("1\n3\n", s).status, SettingsStatus::Damaged);
    EXPECT_EQ(s.scaleFactor, 12.0f);
    EXPECT_EQ(FormatCourseSettings(s), "1\r\n12\r\n1\r\n");
}

TEST(SettingsFiles, MissingFileKeepsValuesAndSaveReplacesWholeFile) {
    TempDir dir;
    const std::string path = dir.File("quellstone.ini");
    ExportSettings s = Marked();
    EXPECT_EQ(LoadBoneSettingsFile(path, s).status, SettingsStatus::Missing);
    EXPECT_EQ(s.scaleFactor, 7.0f);

    ASSERT_TRUE(SaveBoneSettingsFile(path, s));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    ExportSettings back;
    ASSERT_EQ(LoadBoneSettingsFile(path, back).status, SettingsStatus::Loaded);
    EXPECT_EQ(back.rules, s.rules);

    // A folder that cannot take the file: the save fails quietly and changes nothing.
    EXPECT_FALSE(SaveBoneSettingsFile(dir.File("no/such/folder/quellstone.ini"), s));
}

class SettingsThroughHost : public ::testing::Test {
  protected:
    void SetUp() override {
        host_.plugConfigDir = dir_.Path().string();
        SetLibraryHost(&host_);
        LibrarySettings() = ExportSettings{};
    }
    void TearDown() override {
        SetLibraryHost(nullptr);
        LibrarySettings() = ExportSettings{};
    }

    TempDir dir_;
    FakeHost host_;
    CallbackUiDriver driver_;
    ScopedUiDriver installed_{&driver_};
};

TEST_F(SettingsThroughHost, UsesThePlugInConfigurationDirectory) {
    EXPECT_EQ(SettingsFilePath(kBoneSettingsFileName), dir_.File("quellstone.ini"));
    LibrarySettings().rules = {"+Bip*"};
    SaveBoneSettings();
    LibrarySettings().rules.clear();
    LoadBoneSettings();
    EXPECT_EQ(LibrarySettings().rules, std::vector<std::string>{"+Bip*"});
    EXPECT_TRUE(driver_.Messages().empty());

    LibrarySettings().scaleFactor = 3.0f;
    SaveCourseSettings();
    EXPECT_EQ(ReadWholeFile(dir_.File("ravelpath.ini")), "1\r\n3\r\n0\r\n");
}

TEST_F(SettingsThroughHost, ADamagedFileIsReportedByName) {
    WriteWholeFile(dir_.File("quellstone.ini"), "5\n4\n+a\n");
    LoadBoneSettings();
    ASSERT_EQ(driver_.Messages().size(), 1u);
    EXPECT_NE(driver_.Messages()[0].find(dir_.File("quellstone.ini")), std::string::npos);
    EXPECT_NE(driver_.Messages()[0].find("the file ends after 1 of 4 rules"), std::string::npos);
    EXPECT_TRUE(LibrarySettings().rules.empty());

    // A newer file is not an error.
    WriteWholeFile(dir_.File("quellstone.ini"), "6\n");
    LoadBoneSettings();
    EXPECT_EQ(driver_.Messages().size(), 1u);
}
