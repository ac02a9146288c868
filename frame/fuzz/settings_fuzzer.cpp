// Feeds arbitrary bytes to the quellstone.ini and ravelpath.ini readers. Whatever a reader takes,
// the writer must write in a form the reader takes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "frame/settings_file.h"

namespace {

template <class Parse, class Format>
void RoundTrip(std::string_view input, Parse parse, Format format) {
    frame::ExportSettings read;
    parse(input, read);
    const std::string written = format(read);
    frame::ExportSettings back;
    if (parse(written, back).status != frame::SettingsStatus::Loaded) std::abort();
    if (format(back) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RoundTrip(input, &frame::ParseBoneSettings, &frame::FormatBoneSettings);
    RoundTrip(input, &frame::ParseCourseSettings, &frame::FormatCourseSettings);
    return 0;
}
