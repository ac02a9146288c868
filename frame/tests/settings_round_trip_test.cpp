// Random settings saved and loaded again come back as they were: everything the writer writes,
// the reader takes back. The scale factor is written with six significant digits, so it comes
// back as that text reads.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "frame/settings_file.h"
#include "support/format_g.h"

namespace frame {
namespace {

std::string RandomRule(std::mt19937& random) {
    // A rule as the rule editor makes it or an old file gives it: a sign and up to 99 printable
    // characters, with blanks anywhere but never a line break.
    std::string rule(1, random() % 2 ? '+' : '-');
    const int length = static_cast<int>(random() % 100);
    for (int i = 0; i < length; ++i) rule += static_cast<char>(' ' + random() % 95);
    return rule;
}

ExportSettings RandomSettings(std::mt19937& random) {
    ExportSettings s;
    for (int i = 0, n = static_cast<int>(random() % 6); i < n; ++i)
        s.rules.push_back(RandomRule(random));
    s.ignoreHidden = static_cast<int>(random() % 3) - 1;
    std::uniform_real_distribution<double> scale(kMinScaleFactor, kMaxScaleFactor);
    std::uniform_real_distribution<double> smallScale(kMinScaleFactor, 10.0);
    s.scaleFactor = static_cast<float>(random() % 2 ? scale(random) : smallScale(random));
    s.rotate180 = static_cast<int>(random() % 2);
    s.exportTextures = static_cast<int>(random());
    return s;
}

float AsWritten(float scale) {
    return std::strtof(support::FormatG(scale).c_str(), nullptr);
}

TEST(SettingsRoundTrip, RandomBoneSettingsComeBack) {
    std::mt19937 random(1208);
    for (int i = 0; i < 2000; ++i) {
        const ExportSettings s = RandomSettings(random);
        ExportSettings back;
        back.scaleFactor = -1.0f;
        ASSERT_EQ(ParseBoneSettings(FormatBoneSettings(s), back).status, SettingsStatus::Loaded)
            << FormatBoneSettings(s);
        EXPECT_EQ(back.rules, s.rules);
        EXPECT_EQ(back.ignoreHidden, s.ignoreHidden);
        EXPECT_EQ(back.scaleFactor, AsWritten(s.scaleFactor)) << s.scaleFactor;
        EXPECT_EQ(back.rotate180, s.rotate180);
        EXPECT_EQ(back.exportTextures, s.exportTextures);
    }
}

TEST(SettingsRoundTrip, RandomCourseSettingsComeBack) {
    std::mt19937 random(812);
    for (int i = 0; i < 2000; ++i) {
        const ExportSettings s = RandomSettings(random);
        ExportSettings back;
        ASSERT_EQ(ParseCourseSettings(FormatCourseSettings(s), back).status,
                  SettingsStatus::Loaded);
        EXPECT_EQ(back.scaleFactor, AsWritten(s.scaleFactor));
        EXPECT_EQ(back.rotate180, s.rotate180);
    }
}

}  // namespace
}  // namespace frame
