#pragma once
// lumenpass.ini: 18 CR LF lines, a comment line before each value. Version 2 is written; every
// version up to 2 is read with the same layout, a newer one is left alone.
#include <string>
#include <string_view>

#include "render/render_options.h"

namespace render {

inline constexpr const char* kSettingsFileName = "lumenpass.ini";
inline constexpr int kSettingsVersion = 2;

enum class SettingsRead {
    Loaded,   // every value was taken
    Ignored,  // a newer version, or no readable version: nothing was taken
    Stopped,  // a value did not read: the values before it were taken, it and the rest kept
};

struct SettingsReadResult {
    SettingsRead status = SettingsRead::Loaded;
    // The output path between the quotes is longer than kMaxPathLength: the path was kept as
    // it was and the reading went on with the next line.
    bool pathTooLong = false;
};

// Reads the values in file order into `options`. Each line in place of a comment is passed over
// unread. An output path line with nothing between its quotes keeps the path as it was, and the
// reading goes on with the next line.
SettingsReadResult ParseRenderSettings(std::string_view text, RenderOptions& options);
std::string FormatRenderSettings(const RenderOptions& options);

}  // namespace render
