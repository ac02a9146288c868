#include "frame/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frame/plugin_state.h"
#include "frame/testing/fake_host.h"
#include "frame/testing/test_support.h"

namespace frame {

using namespace hostfakes;
using namespace support::testing;

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

TEST(BoneSettingsFile, VersionsBelowOneReadWithTheOldestLayout) {
    for (const char* text : {"0\n1\nArm*\n0\n9\n", "-3\n1\nArm*\n0\n9\n"}) {
        ExportSettings s = ParsedBone(text, SettingsStatus::Loaded);
        EXPECT_EQ(s.rules, std::vector<std::string>{"+Arm*"}) << text;
        EXPECT_EQ(s.ignoreHidden, 0) << text;
        EXPECT_EQ(s.scaleFactor, 7.0f) << text;  // no scale line in the oldest layout
    }
}

TEST(BoneSettingsFile, FilesWithoutAReadableVersionOrANewerOneAreIgnored) {
    for (const char* text : {"6\n0\n0\n3\n0\n0\n", "99\n", "", "\n\n", "five\n1\n+a\n"}) {
        ExportSettings s = ParsedBone(text, SettingsStatus::Ignored);
        EXPECT_EQ(s.rules, std::vector<std::string>{"+old"}) << text;
        EXPECT_EQ(s.scaleFactor, 7.0f) << text;
    }
}

TEST(BoneSettingsFile, SkipsBlankLinesAndLeadingBlanksButKeepsTrailingOnes) {
    ExportSettings s =
        ParsedBone("5\n\n2\n   +Arm* \n\n\t-x\n0\n1\n0\n0\n", SettingsStatus::Loaded);
    EXPECT_EQ(s.rules, (std::vector<std::string>{"+Arm* ", "-x"}));
    // Numbers need no line ends between them.
    EXPECT_EQ(ParsedBone("5\n0\n0 1 3 0\n", SettingsStatus::Loaded).rotate180, 3);
}

// Every value read before the input stops matching is taken; it and the rest keep theirs.
TEST(BoneSettingsFile, KeepsWhatWasReadBeforeTheInputStopsMatching) {
    struct Case {
        const char* text;
        std::vector<std::string> rules;
        int ignoreHidden;
        float scale;
        int rotate;
    };
    const std::vector<std::string> old{"+old"};
    const Case cases[] = {
        {"5\n1\n+Arm*\nabc\n0\n0\n", {"+Arm*"}, 1, 7.0f, 1},  // rules kept, flags not
        {"5\n", old, 1, 7.0f, 1},                             // cut before the rule count
        {"5\nmany\n", old, 1, 7.0f, 1},
        {"5\n-1\n0\n", old, 1, 7.0f, 1},  // a negative count is no count
        {"5\n99999999999\n", old, 1, 7.0f, 1},
        {"5\n0\n", {}, 1, 7.0f, 1},
        {"5\n0\n0\nbig\n0\n0\n", {}, 0, 7.0f, 1},
        {"5\n0\n0\n1\n", {}, 0, 1.0f, 1},
        {"5\n0\n0\n1\n0\n", {}, 0, 1.0f, 0},          // the textures line is missing
        {"5\n0\n0x\n2\n0\n0\n", {}, 0, 7.0f, 1},      // "0x": 0, then "x" is no scale
        {"5\n0\n1\n2.5abc\n0\n0\n", {}, 1, 2.5f, 1},  // "abc" is no rotation flag
    };
    for (const Case& c : cases) {
        ExportSettings s = ParsedBone(c.text, SettingsStatus::Stopped);
        EXPECT_EQ(s.rules, c.rules) << c.text;
        EXPECT_EQ(s.ignoreHidden, c.ignoreHidden) << c.text;
        EXPECT_EQ(s.scaleFactor, c.scale) << c.text;
        EXPECT_EQ(s.rotate180, c.rotate) << c.text;
        EXPECT_EQ(s.exportTextures, 1) << c.text;
    }
}

// A scale the options dialog would refuse is not taken from the file, and reading stops there.
TEST(BoneSettingsFile, ScaleFactorsTheDialogWouldRefuseAreNotTaken) {
    for (const char* scale : {"1e9", "0.0005", "-1", "nan", "inf", "1e999"}) {
        ExportSettings s =
            ParsedBone(std::string("5\n0\n0\n") + scale + "\n0\n0\n", SettingsStatus::Stopped);
        EXPECT_EQ(s.scaleFactor, 7.0f) << scale;
        EXPECT_EQ(s.ignoreHidden, 0) << scale;
        EXPECT_EQ(s.rotate180, 1) << scale;
    }
    EXPECT_EQ(ParsedBone("5\n0\n0\n0.001\n0\n0\n", SettingsStatus::Loaded).scaleFactor, 0.001f);
    EXPECT_EQ(ParsedBone("5\n0\n0\n999999\n0\n0\n", SettingsStatus::Loaded).scaleFactor, 999999.0f);
}

// Damage inside the rules is reported; the rules before it are kept, the later values are not.
TEST(BoneSettingsFile, DamageInsideTheRulesKeepsTheRulesBeforeIt) {
    struct Case {
        std::string text;
        std::string problem;
        std::vector<std::string> rules;
    };
    const Case cases[] = {
        {"5\n3\n+a\n+b\n", "line 5: the file ends after 2 of 3 rules", {"+a", "+b"}},
        {"5\n2147483647\n+a\n", "line 4: the file ends after 1 of 2147483647 rules", {"+a"}},
        {"5\n2\n+a\n+" + std::string(100, 'x') + "\n0\n",
         "line 4: rule longer than 100 characters",
         {"+a"}},
        {"3\n2\na\n" + std::string(100, 'x') + "\n0\n",
         "line 4: rule longer than 99 characters",
         {"+a"}},
    };
    for (const Case& c : cases) {
        ExportSettings s = ParsedBone(c.text, SettingsStatus::Damaged);
        ExportSettings again = Marked();
        EXPECT_EQ(ParseBoneSettings(c.text, again).problem, c.problem) << c.text;
        EXPECT_EQ(s.rules, c.rules) << c.text;
        EXPECT_EQ(s.ignoreHidden, 1) << c.text;
        EXPECT_EQ(s.scaleFactor, 7.0f) << c.text;
    }
}

TEST(BoneSettingsFile, EveryPrefixOfAValidFileIsHandled) {
    const std::string full = "5\r\n2\r\n+Bip*\r\n-*Nub\r\n1\r\n2.5\r\n1\r\n0\r\n";
    for (std::size_t n = 0; n < full.size(); ++n) {
        ExportSettings s;
        const SettingsLoadResult r = ParseBoneSettings(full.substr(0, n), s);
        // A prefix that ends inside the last value still reads a whole file ("0" of "0\r\n").
        if (r.status == SettingsStatus::Loaded) {
            EXPECT_GE(n, full.size() - 2);
        }
        // Whatever was taken is a prefix of the file's values.
        if (s.rules.size() == 2) {
            EXPECT_EQ(std::string("-*Nub").rfind(s.rules[1], 0), 0u) << s.rules[1];
        }
        EXPECT_TRUE(s.scaleFactor == 1.0f || s.scaleFactor == 2.0f || s.scaleFactor == 2.5f);
    }
}

TEST(BoneSettingsFile, WritesVersionFiveThatReadsBack) {
    ExportSettings s;
    s.rules = {"+Arm*", "-*End"};
    s.ignoreHidden = 1;
    s.scaleFactor = 0.125f;
    s.rotate180 = 1;
    s.exportTextures = 1;
    const std::string text = FormatBoneSettings(s);
    EXPECT_EQ(text, "5\r\n2\r\n+Arm*\r\n-*End\r\n1\r\n0.125\r\n1\r\n1\r\n");
    ExportSettings back;
    ASSERT_EQ(ParseBoneSettings(text, back).status, SettingsStatus::Loaded);
    EXPECT_EQ(back.rules, s.rules);
    EXPECT_EQ(back.scaleFactor, 0.125f);
    EXPECT_EQ(back.exportTextures, 1);
    // Reals keep three exponent digits, as every file of the system writes them.
    s.scaleFactor = 1e-5f;
    EXPECT_NE(FormatBoneSettings(s).find("\r\n1e-005\r\n"), std::string::npos);
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

    EXPECT_EQ(ParseCourseSettings("2\n3\n0\n", s).status, SettingsStatus::Ignored);
    EXPECT_EQ(ParseCourseSettings("", s).status, SettingsStatus::Ignored);
    EXPECT_EQ(s.scaleFactor, 12.0f);
    EXPECT_EQ(FormatCourseSettings(s), "1\r\n12\r\n1\r\n");
}

TEST(CourseSettingsFile, TakesValuesUntilTheInputStopsMatching) {
    ExportSettings s;
    EXPECT_EQ(ParseCourseSettings("1\n3\n", s).status, SettingsStatus::Stopped);
    EXPECT_EQ(s.scaleFactor, 3.0f);
    EXPECT_EQ(ParseCourseSettings("0\n4\n1\n", s).status, SettingsStatus::Loaded);
    EXPECT_EQ(s.scaleFactor, 4.0f);
    EXPECT_EQ(s.rotate180, 1);
    // A scale the Course dialog would refuse on a field it hides is not taken.
    for (const char* text : {"1\n1e9\n0\n", "1\nnan\n0\n", "1\n0\n0\n"}) {
        EXPECT_EQ(ParseCourseSettings(text, s).status, SettingsStatus::Stopped) << text;
        EXPECT_EQ(s.scaleFactor, 4.0f) << text;
        EXPECT_EQ(s.rotate180, 1) << text;
    }
}

TEST(SettingsFiles, MissingFileKeepsValuesAndSaveReplacesWholeFile) {
    TempFolder dir;
    const std::string path = dir.File("quellstone.ini");
    ExportSettings s = Marked();
    EXPECT_EQ(LoadBoneSettingsFile(path, s).status, SettingsStatus::Missing);
    EXPECT_EQ(s.scaleFactor, 7.0f);

    ASSERT_TRUE(SaveBoneSettingsFile(path, s));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"quellstone.ini"});
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

    TempFolder dir_;
    FakeHost host_;
    CallbackUiDriver driver_;
    ScopedUiDriver installed_{&driver_};
};

TEST_F(SettingsThroughHost, UsesThePlugInConfigurationDirectory) {
    EXPECT_EQ(SettingsFilePath(kBoneSettingsFileName), dir_.File("quellstone.ini"));
    LibrarySettings().rules = {"+Bip*"};
    SaveBoneSettings(LibrarySettings());
    LibrarySettings().rules.clear();
    LoadBoneSettings(LibrarySettings());
    EXPECT_EQ(LibrarySettings().rules, std::vector<std::string>{"+Bip*"});
    EXPECT_TRUE(driver_.Messages().empty());

    LibrarySettings().scaleFactor = 3.0f;
    SaveCourseSettings(LibrarySettings());
    EXPECT_EQ(ReadFile(dir_.File("ravelpath.ini")), "1\r\n3\r\n0\r\n");
}

TEST_F(SettingsThroughHost, ADamagedFileIsReportedByName) {
    WriteFile(dir_.File("quellstone.ini"), "5\n4\n+a\n");
    LoadBoneSettings(LibrarySettings());
    ASSERT_EQ(driver_.Messages().size(), 1u);
    EXPECT_NE(driver_.Messages()[0].find(dir_.File("quellstone.ini")), std::string::npos);
    EXPECT_NE(driver_.Messages()[0].find("the file ends after 1 of 4 rules"), std::string::npos);
    EXPECT_EQ(LibrarySettings().rules, std::vector<std::string>{"+a"});

    // Newer, empty, unreadable versions and values that stop matching are silent.
    for (const char* text : {"6\n", "", "x\n", "5\n1\n+Arm*\nabc\n"}) {
        WriteFile(dir_.File("quellstone.ini"), text);
        LoadBoneSettings(LibrarySettings());
    }
    EXPECT_EQ(driver_.Messages().size(), 1u);
    EXPECT_EQ(LibrarySettings().rules, std::vector<std::string>{"+Arm*"});
}

// What the writer writes, the reader takes back: a version 3 rule of 99 characters gains its
// sign and is saved as a 100-character rule.
TEST(SettingsFiles, AnOldLongRuleSurvivesSaveAndLoad) {
    const std::string wildcard(99, 'w');
    ExportSettings s;
    ASSERT_EQ(ParseBoneSettings("3\n1\n" + wildcard + "\n0\n2\n1\n", s).status,
              SettingsStatus::Loaded);
    ExportSettings back;
    ASSERT_EQ(ParseBoneSettings(FormatBoneSettings(s), back).status, SettingsStatus::Loaded);
    EXPECT_EQ(back.rules, std::vector<std::string>{"+" + wildcard});
    EXPECT_EQ(back.scaleFactor, 2.0f);
    EXPECT_EQ(back.rotate180, 1);
}

}  // namespace frame
