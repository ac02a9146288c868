// lumenpass.ini in the host's plug-in configuration folder: read when the panel opens, written
// when it closes and at the start of every run.
#include "frame/text_output.h"
#include "render/render_utility.h"
#include "render/settings_format.h"
#include "support/file_io.h"
#include "support/paths.h"

namespace render {

namespace {
// A settings file is a few hundred bytes; anything larger is not one and is left unread.
constexpr std::size_t kMaxSettingsFileSize = 64 * 1024;
}  // namespace

CStr RenderUtility::SettingsPath() {
    const char* folder = hostInterface ? hostInterface->GetDir(kDirPlugConfig) : nullptr;
    return CStr(support::JoinPath(folder ? folder : "", kSettingsFileName));
}

void RenderUtility::LoadSettings() {
    const std::string path = SettingsPath().str();
    const support::Result<std::string> text = support::ReadWholeFile(path, kMaxSettingsFileSize);
    // A missing or unreadable file leaves the values as they are, without a word.
    if (!text) return;
    if (ParseRenderSettings(*text, *this).pathTooLong)
        ReportFailure(path + ": the output path is longer than " + std::to_string(kMaxPathLength) +
                      " characters and was not read");
}

void RenderUtility::SaveSettings() {
    // The new file replaces the old one only once it is complete; a file that cannot be
    // written is not reported.
    frame::TextFileWriter out;
    if (!out.Open(SettingsPath().str())) return;
    out.Write(FormatRenderSettings(*this));
    out.Close();
}

}  // namespace render
