// Entry points of the scene import: file checks, the import library's reader, error messages.
#include "plughost/scene_import.h"

#include <assimp/config.h>
#include <assimp/postprocess.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>

#include "import_internal.h"

namespace plughost {

namespace {

SceneLoadResult Failure(const std::string& path, const std::string& what) {
    SceneLoadResult result;
    result.error = path + ": " + what;
    return result;
}

std::string Trimmed(std::string s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    return s;
}

bool HasJsonExtension(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".json";
}

}  // namespace

SceneLoadResult ImportSceneFile(const std::string& path, const ImportOptions& options) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Failure(path, "is a folder, not a scene file");
    if (!std::ifstream(path, std::ios::binary))
        return Failure(path,
                       std::string("cannot open the scene file (") + std::strerror(errno) + ")");

    Assimp::Importer importer;
    // One node per file node, not helper nodes for each pivot part.
    importer.SetPropertyBool(AI_CONFIG_IMPORT_FBX_PRESERVE_PIVOTS, false);
    // Repeated vertices are joined after the import library's steps, by the import's own
    // faster joining.
    constexpr unsigned kSteps = aiProcess_Triangulate | aiProcess_ValidateDataStructure;
    SceneLoadResult result;
    try {
        if (const std::string fault = import::GltfFault(path); !fault.empty())
            return Failure(path, "cannot import the scene: " + fault);
        if (importer.ReadFile(path, kSteps) == nullptr)
            return Failure(path, "cannot import the scene: " + Trimmed(importer.GetErrorString()));
        const std::unique_ptr<aiScene> ai(importer.GetOrphanedScene());
        if (ai->mRootNode == nullptr)
            return Failure(path, "cannot import the scene: the file holds no nodes");
        import::JoinIdenticalVertices(*ai);
        result.scene = import::ConvertScene(*ai, path, options, result.warnings);
    } catch (const import::ImportFault& f) {
        return Failure(path, f.what);
    } catch (const std::exception& e) {
        // The import library keeps its own faults in; this is for running out of memory.
        return Failure(path, std::string("cannot import the scene: ") + e.what());
    }
    result.scene->path = path;
    result.scene->folder = SceneFolderOf(path);
    for (auto& w : result.warnings) w = path + ": " + w;
    return result;
}

SceneLoadResult OpenSceneFile(const std::string& path, const ImportOptions& options) {
    return HasJsonExtension(path) ? LoadSceneFile(path) : ImportSceneFile(path, options);
}

}  // namespace plughost
