#pragma once
// The libraries' settings files in the host's plug-in configuration directory:
// quellstone.ini (rules and options of the Bone and Pose exporters, format version 5, older
// versions read) and ravelpath.ini (options of the Course exporter, format version 1).
#include <string>
#include <string_view>

#include "frame/export_settings.h"

namespace frame {

inline constexpr const char* kBoneSettingsFileName = "quellstone.ini";
inline constexpr const char* kCourseSettingsFileName = "ravelpath.ini";
inline constexpr int kBoneSettingsVersion = 5;
inline constexpr int kCourseSettingsVersion = 1;

enum class SettingsStatus {
    Loaded,   // every value of the file's version was taken over
    Missing,  // no file: the values stay
    Ignored,  // a newer format version, or no version at all: the values stay
    Stopped,  // the input stopped matching: the values before that point were taken, the rest
              // stay; `problem` names the line
    Damaged,  // cut inside the rules or a rule too long: what was read before the damage was
              // taken; far too large or unreadable: nothing was taken; `problem` says why
};

struct SettingsLoadResult {
    SettingsStatus status;
    std::string problem;  // Stopped and Damaged: where, and for Damaged what is wrong
};

// Parsing and formatting of the file contents. A parse reads the values in file order and takes
// each one it reads; the first value that does not read ends the parse, and it and every later
// value keep what they were. A stored scale factor outside the accepted range is such a value.
SettingsLoadResult ParseBoneSettings(std::string_view text, ExportSettings& settings);
std::string FormatBoneSettings(const ExportSettings& settings);
SettingsLoadResult ParseCourseSettings(std::string_view text, ExportSettings& settings);
std::string FormatCourseSettings(const ExportSettings& settings);

// File level. Saving writes a temporary file beside the target and renames it over the old
// one, so a failed save leaves the old file as it was; false when it failed.
SettingsLoadResult LoadBoneSettingsFile(const std::string& path, ExportSettings& settings);
bool SaveBoneSettingsFile(const std::string& path, const ExportSettings& settings);
SettingsLoadResult LoadCourseSettingsFile(const std::string& path, ExportSettings& settings);
bool SaveCourseSettingsFile(const std::string& path, const ExportSettings& settings);

// The settings file's path: the host's plug-in configuration directory joined with `fileName`.
std::string SettingsFilePath(const char* fileName);

// What the exporters call: load into or save from the library's settings at SettingsFilePath. A
// damaged file is reported in a message box that names it; every other outcome of a load, and a
// failed save, is silent, and the export goes on in every case.
void LoadBoneSettings(ExportSettings& settings);
void SaveBoneSettings(const ExportSettings& settings);
void LoadCourseSettings(ExportSettings& settings);
void SaveCourseSettings(const ExportSettings& settings);

}  // namespace frame
