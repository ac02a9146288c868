// Feeds arbitrary bytes to the lumenpass.ini reader. Whatever it takes, the writer must write
// in a form the reader takes back whole and unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/settings_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    render::RenderOptions read;
    render::ParseRenderSettings(input, read);
    // A path the file cannot hold (a double quote ends it) is refused by the run before any
    // save; an empty path reads back as "kept", which is the empty path again.
    if (read.outputPath.find('"') != std::string::npos) std::abort();
    const std::string written = render::FormatRenderSettings(read);
    render::RenderOptions back;
    back.outputPath = "unchanged";
    const render::SettingsReadResult again = render::ParseRenderSettings(written, back);
    if (again.status != render::SettingsRead::Loaded || again.pathTooLong) std::abort();
    if (read.outputPath.empty()) back.outputPath.clear();
    if (!(back == read)) std::abort();
    if (render::FormatRenderSettings(back) != written) std::abort();
    return 0;
}
