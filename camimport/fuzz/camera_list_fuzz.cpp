// libFuzzer harness for the camera list reader: any bytes as an .lc file, read as a plain run
// reads it and as a run with /p and /r does. Whatever it accepts must key into a scene and name
// its images: finite values, a positive zoom, and with /r names that are distinct file names.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unordered_set>

#include "camweave/camera_list.h"
#include "camweave/rename_batch.h"
#include "support/ascii.h"
#include "support/file_name_check.h"

namespace {

// Assertions that hold in every build type: the fuzz build defines NDEBUG.
void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

std::string FoldedCase(std::string text) {
    for (char& c : text) c = support::FoldAsciiCase(c);
    return text;
}

void Check(const std::string& text, const camweave::CameraListOptions& options) {
    std::ostringstream console;
    const auto cameras = camweave::ParseCameraList(text, "fuzz.lc", options, console);
    if (!cameras.ok()) {
        Require(cameras.error().find("fuzz.lc") != std::string::npos ||
                    cameras.error() == "Out of memory",
                "a refusal names the list");
        return;
    }
    std::unordered_set<std::string> names;
    bool panView = false;
    for (const camweave::CameraRecord& c : *cameras) {
        for (const float value : {c.x, c.y, c.z, c.pitch, c.bank, c.heading, c.zoomFactor}) {
            Require(std::isfinite(value), "finite values");
        }
        Require(c.zoomFactor > 0, "a positive zoom");
        Require(c.name.size() <= camweave::kMaxCameraName, "names fit a record");
        Require(!panView || c.isPanView == 1, "fixed cameras before pan views");
        panView = c.isPanView == 1;
        if (options.namesAreFileNames) {
            Require(support::CheckFileName(c.name).ok(), "names are file names");
            Require(names.insert(FoldedCase(c.name)).second, "names are distinct");
        }
    }
    if (options.namesAreFileNames) {
        for (const std::string& line : camweave::RenameBatchLines(*cameras, "r\\s", 2)) {
            Require(line.find_first_of("\r\n") == std::string::npos, "one batch line each");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Check(text, {false, false});
    Check(text, {true, true});
    return 0;
}
