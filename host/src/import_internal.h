#pragma once
// Pieces of the scene import shared between its source files: conversions of the import
// library's types, materials, node meshes and the scene tree.
#include <assimp/scene.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "plughost/scene.h"
#include "plughost/skin.h"

namespace plughost::import {

// A fault in the imported data; the entry point prefixes the file name.
struct ImportFault {
    std::string what;
};
[[noreturn]] void Fail(std::string what);

// "name" in double quotes, for messages.
std::string Quoted(const aiString& name);

// Nodes by name; the first node of a name in depth-first order wins, as in the import library.
using NodesByName = std::unordered_map<std::string, HostNode*>;

// The import library's matrices take column vectors (translation in the fourth column); the
// scene model's take row vectors (translation in the fourth row). Same transform, transposed.
Matrix3 ToMatrix3(const aiMatrix4x4& m);
Quat ToQuat(const aiQuaternion& q);
Point3 ToPoint3(const aiVector3D& v);

// Splits a node matrix into position, rotation and scale. Returns false when the matrix also
// shears, which the scene model cannot hold; the parts are then the nearest it can.
// Fails on a matrix with a non-finite entry.
bool SplitTransform(const aiMatrix4x4& m, AnimatedTransform& tm, const std::string& what);

// The object offset that turns the scene's camera (looking along -Z, +Y up, at the origin)
// into the file's camera with its own position, viewing direction and up vector.
void CameraOffset(const aiCamera& camera, AnimatedTransform& offset);

std::unique_ptr<HostMaterial> ConvertMaterial(const aiMaterial& material,
                                              std::vector<std::string>& warnings);

// A node's meshes merged into one triangle mesh.
struct NodeMesh {
    TriangleMesh mesh;
    std::vector<unsigned> materials;  // the scene's material index for each material id
    std::vector<SkinBone> bones;      // empty for a mesh without bones
    std::vector<SkinInfluence> influences;
    size_t droppedFaces = 0;  // points and lines, which a triangle mesh cannot hold
};
NodeMesh MergeNodeMeshes(const aiScene& scene, const aiNode& node, const NodesByName& nodes);

// The whole conversion; warnings are added without the file name.
std::unique_ptr<Scene> ConvertScene(const aiScene& scene, std::vector<std::string>& warnings);

}  // namespace plughost::import
