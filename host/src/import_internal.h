#pragma once
// Pieces of the scene import shared between its source files: conversions of the import
// library's types, materials, node meshes and the scene tree.
#include <assimp/scene.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "plughost/scene.h"
#include "plughost/scene_import.h"
#include "plughost/skin.h"

namespace plughost::import {

// A fault in the imported data; the entry point prefixes the file name.
struct ImportFault {
    std::string what;
};
[[noreturn]] void Fail(std::string what);

// What keeps a valid glTF file (text or binary) from being imported safely: the import
// library's reader crashes on a skin without inverse bind matrices. Empty for every other file.
std::string GltfFault(const std::string& path);

// "name" in double quotes, for messages.
std::string Quoted(const aiString& name);

// The nodes of each name, in depth-first order. Files may give several nodes one name (a mesh
// node and a joint of a rig, say); the import library then binds animation channels, bones,
// cameras and lights by the name alone.
struct NamedNode {
    HostNode* node = nullptr;
    const aiNode* source = nullptr;
};
using NodesByName = std::unordered_map<std::string, std::vector<NamedNode>>;

// The node a bone of this name moves with: of several namesakes the first that carries no mesh
// (joints do not), else the first. Null when no node has the name.
HostNode* BoneNode(const NodesByName& nodes, const std::string& name);

// Joins each mesh's repeated vertices (the same place, normal, first texture coordinates,
// tangent and bitangent within 1e-5) as the import library's joining step does, renumbering the
// faces and the bone weights; a bone keeps one weight per joined vertex.
void JoinIdenticalVertices(aiScene& scene);

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
// into the file's camera with its own viewing direction and up vector, and its own position
// when `usePosition` is set.
void CameraOffset(const aiCamera& camera, bool usePosition, AnimatedTransform& offset);

// Writes the images a file stores inside itself ("*N" texture references) out as image files,
// each once, so that materials name them as they name any other bitmap.
class EmbeddedTextures {
  public:
    // `folder`: where the files go; `sceneStem`: the scene file's name without its extension,
    // which names images that have no name of their own.
    EmbeddedTextures(const aiScene& scene, std::string folder, std::string sceneStem,
                     std::vector<std::string>& warnings);

    // The file written for the reference, as a full path; empty after a warning when the image
    // cannot be had or written.
    std::string FileFor(const std::string& reference, const std::string& what);

  private:
    std::string Write(unsigned index, const std::string& what);

    const aiScene& scene_;
    std::string folder_;
    std::string sceneStem_;
    std::vector<std::string>& warnings_;
    std::map<unsigned, std::string> files_;  // by texture index; empty: could not be had
    std::set<std::string> stemsTaken_;       // lower case: Targa names are made from the stem
};

std::unique_ptr<HostMaterial> ConvertMaterial(const aiMaterial& material,
                                              EmbeddedTextures& embedded);

// A node's meshes merged into one triangle mesh.
struct NodeMesh {
    TriangleMesh mesh;
    std::vector<unsigned> materials;  // the scene's material index for each material id
    std::vector<SkinBone> bones;      // empty for a mesh without bones
    std::vector<SkinInfluence> influences;
    size_t droppedFaces = 0;  // points and lines, which a triangle mesh cannot hold
};
NodeMesh MergeNodeMeshes(const aiScene& scene, const aiNode& node, const NodesByName& nodes);

// Adds `from` to `into`: its vertices carried by `fromToInto` (the rest place of `from`'s node
// in the space of `into`'s node), its bone offsets adjusted so that it deforms as before, its
// materials joined to the list of `into`.
void AppendNodeMesh(NodeMesh& into, NodeMesh&& from, const Matrix3& fromToInto);

// A node's merged meshes and where the file places that node at rest.
struct MeshOnNode {
    const aiNode* source = nullptr;
    HostNode* node = nullptr;
    Matrix3 restWorld;
    NodeMesh mesh;
    bool mergedAway = false;  // its meshes moved to another node of its skin
};

// Merges the skinned meshes that share a bone node into the first of them in depth-first order;
// the others are marked merged away. A node scaled flat at rest stays apart, with a warning.
void MergeSharedSkins(std::vector<MeshOnNode>& meshes, std::vector<std::string>& warnings);

// The whole conversion; warnings are added without the file name. The animation channels'
// key arrays are released as they are converted (the scene's largest part, whose memory the
// converted tracks then reuse); the rest of the scene stays as it was.
std::unique_ptr<Scene> ConvertScene(aiScene& scene, const std::string& path,
                                    const ImportOptions& options,
                                    std::vector<std::string>& warnings);

}  // namespace plughost::import
