// Reading and writing the settings files, and the calls the exporters make.
#include "frame/settings_file.h"

#include <cstdio>
#include <memory>

#include "frame/plugin_state.h"
#include "frame/text_output.h"
#include "support/paths.h"

namespace frame {

namespace {

// A settings file is a few hundred bytes; anything beyond this is not one.
constexpr long kMaxSettingsFileSize = 4L << 20;

using ParseFn = SettingsLoadResult (*)(std::string_view, ExportSettings&);
using FormatFn = std::string (*)(const ExportSettings&);

SettingsLoadResult LoadFile(const std::string& path, ExportSettings& settings, ParseFn parse) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) return {SettingsStatus::Missing, {}};
    std::string text;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        text.append(buffer, got);
        if (static_cast<long>(text.size()) > kMaxSettingsFileSize)
            return {SettingsStatus::Damaged, "the file is far too large for a settings file"};
    }
    if (std::ferror(file.get())) return {SettingsStatus::Damaged, "the file cannot be read"};
    return parse(text, settings);
}

bool SaveFile(const std::string& path, const ExportSettings& settings, FormatFn format) {
    const std::string temporary = path + ".tmp";
    TextFileWriter out;
    if (!out.Open(temporary)) return false;
    out.Write(format(settings));
    if (!out.Close()) {
        out.Discard();
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void LoadReporting(const char* fileName, ParseFn parse, ExportSettings& settings) {
    const std::string path = SettingsFilePath(fileName);
    const SettingsLoadResult result = LoadFile(path, settings, parse);
    if (result.status != SettingsStatus::Damaged) return;
    MessageBox(HostWindow(),
               "The settings file " + path + " is damaged (" + result.problem +
                   "). Only the options before the damage were used; confirming the export "
                   "options will replace it.",
               "Export settings", kMbOk | kMbIconWarning);
}

}  // namespace

SettingsLoadResult LoadBoneSettingsFile(const std::string& path, ExportSettings& settings) {
    return LoadFile(path, settings, &ParseBoneSettings);
}

bool SaveBoneSettingsFile(const std::string& path, const ExportSettings& settings) {
    return SaveFile(path, settings, &FormatBoneSettings);
}

SettingsLoadResult LoadCourseSettingsFile(const std::string& path, ExportSettings& settings) {
    return LoadFile(path, settings, &ParseCourseSettings);
}

bool SaveCourseSettingsFile(const std::string& path, const ExportSettings& settings) {
    return SaveFile(path, settings, &FormatCourseSettings);
}

std::string SettingsFilePath(const char* fileName) {
    HostInterface* host = LibraryHost();
    const char* folder = host ? host->GetDir(kDirPlugConfig) : nullptr;
    return support::JoinPath(folder ? folder : "", fileName);
}

void LoadBoneSettings(ExportSettings& settings) {
    LoadReporting(kBoneSettingsFileName, &ParseBoneSettings, settings);
}
void SaveBoneSettings(const ExportSettings& settings) {
    SaveBoneSettingsFile(SettingsFilePath(kBoneSettingsFileName), settings);
}
void LoadCourseSettings(ExportSettings& settings) {
    LoadReporting(kCourseSettingsFileName, &ParseCourseSettings, settings);
}
void SaveCourseSettings(const ExportSettings& settings) {
    SaveCourseSettingsFile(SettingsFilePath(kCourseSettingsFileName), settings);
}

}  // namespace frame
