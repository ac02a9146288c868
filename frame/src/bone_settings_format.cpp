// quellstone.ini. Version 5 lines: version, rule count, one rule per line, ignoreHidden,
// scaleFactor, rotate180, exportTextures. Versions up to 3 stored rules without a sign (all
// include rules); version 1 lacks the scale line, versions 1 and 2 the rotation line, versions
// 1 to 4 the textures line. Versions below 1 read as version 1.
//
// Values are read in file order until the input stops matching: every value read before that
// point is taken, every value from there on keeps what it was.
#include <string>

#include "frame/settings_file.h"
#include "frame/text_output.h"
#include "support/scanf_reader.h"

namespace frame {

namespace {

SettingsLoadResult Stopped(const support::ScanfReader& in) {
    return {SettingsStatus::Stopped, "line " + std::to_string(in.Line())};
}

SettingsLoadResult Damaged(const support::ScanfReader& in, const std::string& what) {
    return {SettingsStatus::Damaged, "line " + std::to_string(in.Line()) + ": " + what};
}

// A stored scale the options dialog would refuse is not taken: it would make OK fail on a field
// the Course dialog does not even show.
bool ReadScale(support::ScanfReader& in, float& scale) {
    float read = 0.0f;
    if (!in.ReadFloat(read) || !IsAcceptedScaleFactor(read)) return false;
    scale = read;
    return true;
}

}  // namespace

SettingsLoadResult ParseBoneSettings(std::string_view text, ExportSettings& settings) {
    support::ScanfReader in(text);
    // A file without a readable version counts as a newer one and is left alone.
    int version = kBoneSettingsVersion + 1;
    if (!in.ReadInt(version) || version > kBoneSettingsVersion)
        return {SettingsStatus::Ignored, {}};

    int count = 0;
    if (!in.ReadInt(count) || count < 0) return Stopped(in);
    // The rules are read one by one, so a count larger than the file can hold ends at the end
    // of the text instead of allocating it up front.
    // Old files hold unsigned rules that gain their sign here, so a rule written back can be one
    // character longer than a line of the format; such a rule must read back too.
    const std::size_t lineLimit = version < 4 ? kMaxRuleLength : kMaxStoredRuleLength;
    std::vector<std::string> rules;
    for (int i = 0; i < count; ++i) {
        std::string rule;
        bool tooLong = false;
        if (!in.ReadLine(rule, lineLimit, tooLong)) {
            settings.rules = std::move(rules);
            if (tooLong)
                return Damaged(in, "rule longer than " + std::to_string(lineLimit) + " characters");
            return Damaged(in, "the file ends after " + std::to_string(i) + " of " +
                                   std::to_string(count) + " rules");
        }
        // Rules of files before version 4 are read as include rules.
        rules.push_back(version < 4 ? "+" + rule : std::move(rule));
    }
    settings.rules = std::move(rules);

    if (!in.ReadInt(settings.ignoreHidden)) return Stopped(in);
    if (version > 1 && !ReadScale(in, settings.scaleFactor)) return Stopped(in);
    if (version > 2 && !in.ReadInt(settings.rotate180)) return Stopped(in);
    if (version > 4 && !in.ReadInt(settings.exportTextures)) return Stopped(in);
    return {SettingsStatus::Loaded, {}};
}

std::string FormatBoneSettings(const ExportSettings& settings) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + kLineEnd; };
    line(std::to_string(kBoneSettingsVersion));
    line(std::to_string(settings.rules.size()));
    for (const auto& rule : settings.rules) line(rule);
    line(std::to_string(settings.ignoreHidden));
    line(support::FormatG(settings.scaleFactor));
    line(std::to_string(settings.rotate180));
    line(std::to_string(settings.exportTextures));
    return out;
}

// ravelpath.ini, version 1: version, scaleFactor, rotate180. Versions below 1 read as version 1.
SettingsLoadResult ParseCourseSettings(std::string_view text, ExportSettings& settings) {
    support::ScanfReader in(text);
    int version = kCourseSettingsVersion + 1;
    if (!in.ReadInt(version) || version > kCourseSettingsVersion)
        return {SettingsStatus::Ignored, {}};
    if (!ReadScale(in, settings.scaleFactor)) return Stopped(in);
    if (!in.ReadInt(settings.rotate180)) return Stopped(in);
    return {SettingsStatus::Loaded, {}};
}

std::string FormatCourseSettings(const ExportSettings& settings) {
    return std::to_string(kCourseSettingsVersion) + kLineEnd +
           support::FormatG(settings.scaleFactor) + kLineEnd + std::to_string(settings.rotate180) +
           kLineEnd;
}

}  // namespace frame
