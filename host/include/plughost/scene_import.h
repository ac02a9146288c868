#pragma once
// Reads real 3D files (glTF, FBX, Collada, OBJ and whatever else the import library reads) into
// the same scene model as the JSON loader:
// - the file's node tree becomes the node tree (its root node is the scene root), with names and
//   local transforms split into position, rotation and scale;
// - the file's first animation becomes key tracks; the scene runs at 30 frames per second over
//   [0, the animation's length], or [0, 0] without an animation;
// - a node's meshes become one triangle mesh with a material id per source mesh, its materials
//   a standard material, or a multi-material when they are several;
// - a mesh with bones gets a Physique modifier whose evaluated mesh is the skinned mesh;
// - cameras and lights become the objects of the nodes that carry their names;
// - images stored inside the file are written out as image files that the materials name.
// Faults name the file and the import library's reason: "model.gltf: cannot import the scene:
// ...".
#include <string>

#include "plughost/scene_loader.h"

namespace plughost {

struct ImportOptions {
    // Where the images stored inside the file are written; empty means the scene file's folder.
    std::string embeddedTextureFolder;
    // Merge the skinned meshes that share bones into one skinned node, so that a character
    // split into several meshes is one skinned model.
    bool mergeSkins = false;
};

SceneLoadResult ImportSceneFile(const std::string& path, const ImportOptions& options = {});

// A ".json" file (any case) through the JSON loader, anything else through the import library.
SceneLoadResult OpenSceneFile(const std::string& path, const ImportOptions& options = {});

// The frame rate of imported scenes.
inline constexpr int kImportFrameRate = 30;
// The animation clock when a file does not say how many of its ticks make a second.
inline constexpr double kImportDefaultTicksPerSecond = 25.0;

}  // namespace plughost
