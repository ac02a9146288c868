// libFuzzer harness for the LightWave scene rewrite: any bytes as the scene, two cameras keyed
// into it. A rewrite that succeeds found the camera block and its zoom, and wrote the new keys.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "camweave/scene_cameras.h"
#include "camweave/text_file.h"

namespace {

// Assertions that hold in every build type: the fuzz build defines NDEBUG.
void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string scene(reinterpret_cast<const char*>(data), size);
    std::vector<camweave::CameraRecord> cameras(2);
    cameras[0].name = "A";
    cameras[1].name = "BN";
    cameras[1].isPanView = 1;

    // An empty buffer is no stream for fmemopen; an empty file is.
    std::FILE* input =
        size > 0 ? fmemopen(scene.data(), size, "rb") : std::fopen("/dev/null", "rb");
    Require(input != nullptr, "the scene opens");
    char* written = nullptr;
    std::size_t writtenSize = 0;
    std::FILE* output = open_memstream(&written, &writtenSize);
    Require(output != nullptr, "the output opens");

    camweave::LineReader in(input);
    camweave::TextWriter out(output);
    const support::Status status = camweave::RewriteSceneCameras(in, out, cameras, "fuzz.lws");
    Require(out.Close(), "the output takes every write");
    const std::string text(written, writtenSize);
    std::free(written);

    if (status.ok()) {
        Require(scene.find("CameraMotion (unnamed)") != std::string::npos, "a camera block");
        // The keyword may stand anywhere in its line, which is copied whole.
        Require(text.find("CameraMotion (unnamed)") != std::string::npos &&
                    text.find("\r\n  9\r\n  3\r\n") != std::string::npos,
                "three camera keys");
        Require(text.find("\r\nZoomFactor (envelope)\r\n  1\r\n  3\r\n") != std::string::npos,
                "three zoom keys");
    } else {
        Require(status.error().find("fuzz.lws") != std::string::npos, "a refusal names the scene");
    }
    return 0;
}
