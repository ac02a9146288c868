// Reading and writing the settings files, and the calls the exporters make.
#include "frame/settings_file.h"

#include <cstdio>

#include "frame/plugin_state.h"
#include "frame/text_output.h"
#include "support/file_io.h"
#include "support/paths.h"

namespace frame {

namespace {

// A settings file is a few hundred bytes; anything beyond this is not one.
constexpr std::size_t kMaxSettingsFileSize = 4 << 20;

using ParseFn = SettingsLoadResult (*)(std::string_view, ExportSettings&);
using FormatFn = std::string (*)(const ExportSettings&);

SettingsLoadResult LoadFile(const std::string& path, ExportSettings& settings, ParseFn parse) {
    const support::Result<std::string> text = support::ReadWholeFile(path, kMaxSettingsFileSize);
    if (text) return parse(*text, settings);
    // A file that cannot be opened counts as no file, as a settings load never complains about
    // one; a file too large to be a settings file, or one that fails while being read, is damaged.
    const std::string& why = text.error();
    if (why.rfind("larger than", 0) == 0)
        return {SettingsStatus::Damaged, "the file is far too large for a settings file"};
    if (why.rfind("read error", 0) == 0)
        return {SettingsStatus::Damaged, "the file cannot be read"};
    return {SettingsStatus::Missing, {}};
}

// The writer replaces the old file only once the new one is complete, so a failed save leaves
// the old file as it was.
bool SaveFile(const std::string& path, const ExportSettings& settings, FormatFn format) {
    TextFileWriter out;
    if (!out.Open(path)) return false;
    out.Write(format(settings));
    return out.Close();
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
