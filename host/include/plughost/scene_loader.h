#pragma once
// Reads plughost's JSON scene format into the scene model. Faults are reported with the file
// name and the JSON path of the faulty member, e.g.
// "scene.json: root.children[2].rotation: expected 4 numbers".
#include <memory>
#include <string>
#include <vector>

#include "plughost/scene.h"

namespace plughost {

struct SceneLoadResult {
    std::unique_ptr<Scene> scene;       // null on failure
    std::string error;                  // the fault, when scene is null
    std::vector<std::string> warnings;  // members that were ignored
};

SceneLoadResult LoadSceneFile(const std::string& path);
// The same from text already read; `path` names the file in messages and gives the folder
// that relative bitmap names are resolved against.
SceneLoadResult LoadSceneText(const std::string& text, const std::string& path);

// The folder of a scene file, for relative bitmap names ("." when the path names none).
std::string SceneFolderOf(const std::string& path);

// Limits that keep a hostile file from exhausting the stack.
inline constexpr int kMaxNodeDepth = 1000;
inline constexpr int kMaxMaterialDepth = 64;

}  // namespace plughost
