// quellstone.ini. Version 5 lines: version, rule count, one rule per line, ignoreHidden,
// scaleFactor, rotate180, exportTextures. Versions up to 3 stored rules without a sign (all
// include rules); version 1 lacks the scale line, versions 1 and 2 the rotation line, versions
// 1 to 4 the textures line.
#include <string>

#include "frame/settings_file.h"
#include "frame/text_output.h"
#include "settings_scanner.h"

namespace {

SettingsLoadResult Damaged(int line, const std::string& what) {
    return {SettingsStatus::Damaged, "line " + std::to_string(line) + ": " + what};
}

SettingsLoadResult Damaged(const SettingsScanner& in, const std::string& what) {
    return Damaged(in.Line(), what);
}

}  // namespace

SettingsLoadResult ParseBoneSettings(std::string_view text, ExportSettings& settings) {
    SettingsScanner in(text);
    int version = 0;
    const int versionLine = in.Line();
    if (!in.ReadInt(version)) return Damaged(in, "expected the format version");
    if (version > kBoneSettingsVersion) return {SettingsStatus::Newer, {}};
    if (version < 1)
        return Damaged(versionLine, "unknown format version " + std::to_string(version));

    int count = 0;
    const int countLine = in.Line();
    if (!in.ReadInt(count)) return Damaged(in, "expected the number of rules");
    if (count < 0) return Damaged(countLine, "negative number of rules");

    // The rules are read one by one, so a count larger than the file can hold ends at the end
    // of the text instead of allocating it up front.
    ExportSettings read = settings;
    read.rules.clear();
    for (int i = 0; i < count; ++i) {
        std::string rule;
        bool tooLong = false;
        if (!in.ReadLine(rule, kMaxRuleLength, tooLong)) {
            if (tooLong)
                return Damaged(
                    in, "rule longer than " + std::to_string(kMaxRuleLength) + " characters");
            return Damaged(in, "the file ends after " + std::to_string(i) + " of " +
                                   std::to_string(count) + " rules");
        }
        if (version < 4) rule.insert(0, "+");
        read.rules.push_back(std::move(rule));
    }
    if (!in.ReadInt(read.ignoreHidden)) return Damaged(in, "expected the ignore-hidden flag");
    if (version > 1 && !in.ReadFloat(read.scaleFactor))
        return Damaged(in, "expected the scale factor");
    if (version > 2 && !in.ReadInt(read.rotate180))
        return Damaged(in, "expected the rotation flag");
    if (version > 4 && !in.ReadInt(read.exportTextures))
        return Damaged(in, "expected the texture export flag");

    settings = std::move(read);
    return {SettingsStatus::Loaded, {}};
}

std::string FormatBoneSettings(const ExportSettings& settings) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + kLineEnd; };
    line(std::to_string(kBoneSettingsVersion));
    line(std::to_string(settings.rules.size()));
    for (const auto& rule : settings.rules) line(rule);
    line(std::to_string(settings.ignoreHidden));
    line(FormatG(settings.scaleFactor));
    line(std::to_string(settings.rotate180));
    line(std::to_string(settings.exportTextures));
    return out;
}

// ravelpath.ini, version 1: version, scaleFactor, rotate180.
SettingsLoadResult ParseCourseSettings(std::string_view text, ExportSettings& settings) {
    SettingsScanner in(text);
    int version = 0;
    const int versionLine = in.Line();
    if (!in.ReadInt(version)) return Damaged(in, "expected the format version");
    if (version > kCourseSettingsVersion) return {SettingsStatus::Newer, {}};
    if (version < 1)
        return Damaged(versionLine, "unknown format version " + std::to_string(version));
    float scale = 0.0f;
    int rotate = 0;
    if (!in.ReadFloat(scale)) return Damaged(in, "expected the scale factor");
    if (!in.ReadInt(rotate)) return Damaged(in, "expected the rotation flag");
    settings.scaleFactor = scale;
    settings.rotate180 = rotate;
    return {SettingsStatus::Loaded, {}};
}

std::string FormatCourseSettings(const ExportSettings& settings) {
    return std::to_string(kCourseSettingsVersion) + kLineEnd + FormatG(settings.scaleFactor) +
           kLineEnd + std::to_string(settings.rotate180) + kLineEnd;
}
