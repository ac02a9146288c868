#pragma once
// Scenes described in code, turned into the import library's scene and written to a file with
// its exporter, so that the import tests read real files of several formats.
#include <assimp/scene.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace import_test {

struct BoneSpec {
    std::string name;
    aiMatrix4x4 offset;  // mesh space -> bone space in the bind pose
    std::vector<aiVertexWeight> weights;
};

struct MeshSpec {
    std::string name;
    std::vector<aiVector3D> vertices;
    std::vector<std::vector<unsigned>> faces;  // polygons: the reader triangulates them
    std::vector<aiVector3D> uvs;               // none, or one per vertex
    unsigned material = 0;
    std::vector<BoneSpec> bones;
    std::vector<aiVector3D> normals = {};  // none: (0, 0, 1) for every vertex
};

struct MaterialSpec {
    explicit MaterialSpec(std::string n = "Default") : name(std::move(n)) {}
    std::string name;
    aiColor3D diffuse{0.8f, 0.8f, 0.8f};
    std::string diffuseMap, normalMap, heightMap, opacityMap;
    std::optional<float> shininess;
    bool twoSided = false;
};

struct NodeSpec {
    std::string name;
    aiMatrix4x4 transform;
    std::vector<unsigned> meshes;
    std::vector<NodeSpec> children;
};

struct ChannelSpec {
    std::string node;
    std::vector<aiVectorKey> positions;
    std::vector<aiQuatKey> rotations;
    std::vector<aiVectorKey> scales;
};

struct AnimationSpec {
    double duration = 0.0;
    double ticksPerSecond = 0.0;
    std::vector<ChannelSpec> channels;
};

struct CameraSpec {
    std::string name;
    float fov = 0.785398f;
    float nearClip = 0.5f, farClip = 500.0f;
};

// An image stored inside the file; materials name it "*N" by its place in the list.
struct ImageSpec {
    std::string name;
    std::string bytes;  // the image file
    std::string format = "png";
};

struct SceneSpec {
    NodeSpec root{"Root", aiMatrix4x4(), {}, {}};
    std::vector<MeshSpec> meshes;
    std::vector<MaterialSpec> materials{MaterialSpec()};
    std::vector<ImageSpec> images;
    std::optional<AnimationSpec> animation;
    std::vector<CameraSpec> cameras;
    std::vector<std::string> lights;  // point lights, on the nodes of these names
};

// Writes the scene with the exporter of that format id ("gltf2", "collada", "obj"); returns
// the exporter's error, empty on success.
std::string WriteScene(const SceneSpec& shape, const char* format,
                       const std::filesystem::path& file);

// T * R * S, the order a node's transform is made in (column vectors).
aiMatrix4x4 Compose(const aiVector3D& position, const aiQuaternion& rotation,
                    const aiVector3D& scale = aiVector3D(1, 1, 1));

// Root > Hips (oblique rotation, uneven scale) > Spine, which over two seconds (20 ticks at 10
// per second) rises from y = 4 to y = 10 and turns a quarter turn about Z.
SceneSpec AnimatedSkeleton();

// A fresh folder for one test, under the test temp folder.
std::filesystem::path TestFolder();

// Reads a .gltf file's JSON, lets `edit` change it and writes it back: for what the import
// library's exporter does not write (cameras, namesake nodes, extensions).
void EditGltf(const std::filesystem::path& file, const std::function<void(nlohmann::json&)>& edit);

// A PNG file of one colour.
std::string SolidPng(int width, int height, unsigned char r, unsigned char g, unsigned char b,
                     unsigned char a = 255);

// Root > Armature > Hips (y = 1) > Chest (y = 2, a quarter turn about Z over two seconds).
// "Legs" (on node LegsNode, at the origin) is skinned to Hips; "Torso" (on node TorsoNode, at
// z = 1, with texture vertices and the second material) to Chest: one character in two meshes.
// Written as glTF, both meshes are bound to the one skin of both joints.
SceneSpec SplitCharacter();

// Reads a whole file as bytes.
std::string ReadBytes(const std::filesystem::path& file);

}  // namespace import_test
