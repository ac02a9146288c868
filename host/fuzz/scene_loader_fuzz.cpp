// libFuzzer harness for the JSON scene loader: any bytes as a scene file. A scene loads, or is
// refused with a message naming the file. JSON that the JSON library refuses is never loaded and
// JSON it takes is never called invalid, so the fast parser and the library agree on what JSON
// is. A loaded scene evaluates at a few times.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "plughost/scene_loader.h"
#include "scene_checks.h"

using scene_fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    plughost::SceneLoadResult r = plughost::LoadSceneText(text, "fuzz.json");
    Require((r.scene != nullptr) != (r.error.rfind("fuzz.json: ", 0) == 0),
            "a scene, or a refusal that names the file");
    if (!nlohmann::json::accept(text)) {
        Require(r.scene == nullptr, "JSON the JSON library refuses is not loaded");
    } else {
        // Only the message's start tells: a string value may hold the same words.
        Require(r.scene != nullptr || r.error.rfind("fuzz.json: invalid JSON", 0) != 0,
                "JSON the JSON library takes is not called invalid");
    }
    if (r.scene) scene_fuzz::Evaluate(*r.scene->root, *r.scene);
    return 0;
}
