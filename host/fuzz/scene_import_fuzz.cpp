// libFuzzer harness for the real-scene import's own code: any bytes as a glTF file (the text
// form: the import library's JSON reader, then everything the import does with what it reads,
// the joining of vertices included). A scene loads, or is refused with a message naming the
// file; a loaded scene evaluates at a few times, skinned meshes included. Each run starts from
// an empty folder, so that images a file stores inside itself are written afresh and runs do
// not depend on one another. Faults inside the import library itself are its own.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "plughost/scene_import.h"
#include "scene_checks.h"

// The import library leaks the buffer of a base64 data URI it cannot decode (its own command-line
// tool does the same on such a file). The library is built without frame pointers, so its leaks
// show no frame of ours and are told apart by the library's name alone.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libassimp.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("plughost_import_fuzz_" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "fuzz.gltf").string();
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    plughost::ImportOptions options;
    options.embeddedTextureFolder = folder.string();
    options.mergeSkins = size % 2 == 1;
    plughost::SceneLoadResult r = plughost::ImportSceneFile(file, options);
    scene_fuzz::Require((r.scene != nullptr) != (r.error.rfind(file + ": ", 0) == 0),
                        "a scene, or a refusal that names the file");
    if (r.scene) scene_fuzz::Evaluate(*r.scene->root, *r.scene);
    return 0;
}
