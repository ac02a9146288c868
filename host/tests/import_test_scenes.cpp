#include "import_test_scenes.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>
#include <unistd.h>

#include <assimp/Exporter.hpp>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

namespace import_test {

namespace {

template <typename T>
T* CopyArray(const std::vector<T>& v) {
    if (v.empty()) return nullptr;
    T* out = new T[v.size()];
    std::copy(v.begin(), v.end(), out);
    return out;
}

aiNode* BuildNode(const NodeSpec& shape) {
    auto* node = new aiNode(shape.name);
    node->mTransformation = shape.transform;
    node->mNumMeshes = static_cast<unsigned>(shape.meshes.size());
    node->mMeshes = CopyArray(shape.meshes);
    std::vector<aiNode*> children;
    for (const NodeSpec& c : shape.children) children.push_back(BuildNode(c));
    if (!children.empty())
        node->addChildren(static_cast<unsigned>(children.size()), children.data());
    return node;
}

aiMesh* BuildMesh(const MeshSpec& shape) {
    auto* mesh = new aiMesh;
    mesh->mName = shape.name;
    mesh->mMaterialIndex = shape.material;
    mesh->mNumVertices = static_cast<unsigned>(shape.vertices.size());
    mesh->mVertices = CopyArray(shape.vertices);
    // Normals keep every exporter content; the import does not read them.
    mesh->mNormals = CopyArray(
        shape.normals.empty() ? std::vector<aiVector3D>(shape.vertices.size(), aiVector3D(0, 0, 1))
                              : shape.normals);
    if (!shape.uvs.empty()) {
        mesh->mTextureCoords[0] = CopyArray(shape.uvs);
        mesh->mNumUVComponents[0] = 2;
    }
    mesh->mNumFaces = static_cast<unsigned>(shape.faces.size());
    mesh->mFaces = new aiFace[shape.faces.size()];
    for (size_t i = 0; i < shape.faces.size(); ++i) {
        mesh->mFaces[i].mNumIndices = static_cast<unsigned>(shape.faces[i].size());
        mesh->mFaces[i].mIndices = CopyArray(shape.faces[i]);
        mesh->mPrimitiveTypes |=
            shape.faces[i].size() == 3 ? aiPrimitiveType_TRIANGLE : aiPrimitiveType_POLYGON;
    }
    mesh->mNumBones = static_cast<unsigned>(shape.bones.size());
    if (!shape.bones.empty()) mesh->mBones = new aiBone*[shape.bones.size()];
    for (size_t i = 0; i < shape.bones.size(); ++i) {
        auto* bone = mesh->mBones[i] = new aiBone;
        bone->mName = shape.bones[i].name;
        bone->mOffsetMatrix = shape.bones[i].offset;
        bone->mNumWeights = static_cast<unsigned>(shape.bones[i].weights.size());
        bone->mWeights = CopyArray(shape.bones[i].weights);
    }
    return mesh;
}

aiMaterial* BuildMaterial(const MaterialSpec& shape) {
    auto* m = new aiMaterial;
    const aiString name(shape.name);
    m->AddProperty(&name, AI_MATKEY_NAME);
    m->AddProperty(&shape.diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    const std::pair<const std::string*, aiTextureType> maps[] = {
        {&shape.diffuseMap, aiTextureType_DIFFUSE},
        {&shape.normalMap, aiTextureType_NORMALS},
        {&shape.heightMap, aiTextureType_HEIGHT},
        {&shape.opacityMap, aiTextureType_OPACITY}};
    for (const auto& [file, type] : maps) {
        if (file->empty()) continue;
        const aiString path(*file);
        m->AddProperty(&path, AI_MATKEY_TEXTURE(type, 0));
    }
    if (shape.shininess) m->AddProperty(&*shape.shininess, 1, AI_MATKEY_SHININESS);
    const int twoSided = shape.twoSided ? 1 : 0;
    m->AddProperty(&twoSided, 1, AI_MATKEY_TWOSIDED);
    return m;
}

aiAnimation* BuildAnimation(const AnimationSpec& shape) {
    auto* anim = new aiAnimation;
    anim->mDuration = shape.duration;
    anim->mTicksPerSecond = shape.ticksPerSecond;
    anim->mNumChannels = static_cast<unsigned>(shape.channels.size());
    anim->mChannels = new aiNodeAnim*[shape.channels.size()];
    for (size_t i = 0; i < shape.channels.size(); ++i) {
        const ChannelSpec& c = shape.channels[i];
        auto* ch = anim->mChannels[i] = new aiNodeAnim;
        ch->mNodeName = c.node;
        ch->mNumPositionKeys = static_cast<unsigned>(c.positions.size());
        ch->mPositionKeys = CopyArray(c.positions);
        ch->mNumRotationKeys = static_cast<unsigned>(c.rotations.size());
        ch->mRotationKeys = CopyArray(c.rotations);
        ch->mNumScalingKeys = static_cast<unsigned>(c.scales.size());
        ch->mScalingKeys = CopyArray(c.scales);
    }
    return anim;
}

template <typename T, typename Desc, typename Make>
void Fill(T**& array, unsigned& count, const std::vector<Desc>& descs, Make make) {
    count = static_cast<unsigned>(descs.size());
    if (descs.empty()) return;
    array = new T*[descs.size()];
    for (size_t i = 0; i < descs.size(); ++i) array[i] = make(descs[i]);
}

std::unique_ptr<aiScene> Build(const SceneSpec& shape) {
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = BuildNode(shape.root);
    Fill(scene->mMeshes, scene->mNumMeshes, shape.meshes, BuildMesh);
    Fill(scene->mMaterials, scene->mNumMaterials, shape.materials, BuildMaterial);
    Fill(scene->mTextures, scene->mNumTextures, shape.images, [](const ImageSpec& image) {
        auto* tex = new aiTexture;
        tex->mFilename = image.name;
        std::strncpy(tex->achFormatHint, image.format.c_str(), HINTMAXTEXTURELEN - 1);
        // A stored image file: mHeight 0 and mWidth bytes.
        tex->mWidth = static_cast<unsigned>(image.bytes.size());
        tex->mHeight = 0;
        tex->pcData = new aiTexel[(image.bytes.size() + sizeof(aiTexel) - 1) / sizeof(aiTexel)];
        std::memcpy(tex->pcData, image.bytes.data(), image.bytes.size());
        return tex;
    });
    if (shape.animation) {
        scene->mNumAnimations = 1;
        scene->mAnimations = new aiAnimation* [1] { BuildAnimation(*shape.animation) };
    }
    Fill(scene->mCameras, scene->mNumCameras, shape.cameras, [](const CameraSpec& c) {
        auto* cam = new aiCamera;
        cam->mName = c.name;
        cam->mHorizontalFOV = c.fov;
        cam->mClipPlaneNear = c.nearClip;
        cam->mClipPlaneFar = c.farClip;
        cam->mAspect = 1.5f;
        cam->mLookAt = aiVector3D(0, 0, -1);
        return cam;
    });
    Fill(scene->mLights, scene->mNumLights, shape.lights, [](const std::string& name) {
        auto* light = new aiLight;
        light->mName = name;
        light->mType = aiLightSource_POINT;
        light->mColorDiffuse = aiColor3D(1, 1, 1);
        light->mAttenuationConstant = 1.0f;
        return light;
    });
    return scene;
}

}  // namespace

std::string WriteScene(const SceneSpec& shape, const char* format,
                       const std::filesystem::path& file) {
    const std::unique_ptr<aiScene> scene = Build(shape);
    Assimp::Exporter exporter;
    if (exporter.Export(scene.get(), format, file.string()) == AI_SUCCESS) return "";
    return exporter.GetErrorString();
}

aiMatrix4x4 Compose(const aiVector3D& position, const aiQuaternion& rotation,
                    const aiVector3D& scale) {
    aiMatrix4x4 t, s;
    aiMatrix4x4::Translation(position, t);
    aiMatrix4x4::Scaling(scale, s);
    return t * aiMatrix4x4(rotation.GetMatrix()) * s;
}

SceneSpec AnimatedSkeleton() {
    SceneSpec s;
    NodeSpec hips{
        "Hips",
        Compose({1, 2, 3}, aiQuaternion(aiVector3D(1, 1, 0).Normalize(), 0.7f), {1, 2, 3}),
        {},
        {}};
    hips.children.push_back({"Spine", Compose({0, 4, 0}, aiQuaternion()), {}, {}});
    s.root.children.push_back(hips);
    s.animation = AnimationSpec{20.0, 10.0, {}};
    ChannelSpec spine{"Spine", {}, {}, {}};
    spine.positions = {{0.0, {0, 4, 0}}, {20.0, {0, 10, 0}}};
    spine.rotations = {
        {0.0, aiQuaternion()},
        {20.0, aiQuaternion(aiVector3D(0, 0, 1), static_cast<float>(AI_MATH_PI / 2))}};
    spine.scales = {{0.0, {1, 1, 1}}};
    s.animation->channels.push_back(spine);
    return s;
}

SceneSpec SplitCharacter() {
    SceneSpec s;
    MaterialSpec cloth("Cloth"), skin("Skin");
    skin.diffuseMap = "skin.png";
    s.materials = {cloth, skin};
    auto move = [](float x, float y, float z) { return Compose({x, y, z}, aiQuaternion()); };
    // Offsets take mesh space to bone space: the inverse bone transform after the mesh node's.
    MeshSpec legs{"Legs", {{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}, {}, 0, {}};
    legs.bones = {{"Hips", move(0, -1, 0), {{0, 1.0f}, {1, 1.0f}, {2, 1.0f}}}};
    MeshSpec torso{
        "Torso", {{-1, 2, -1}, {1, 2, -1}, {1, 3, -1}, {-1, 3, -1}}, {{0, 1, 2, 3}}, {}, 1, {}};
    torso.uvs = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    // glTF keeps one inverse bind matrix per joint of a skin, so each mesh has a bone of its own.
    torso.bones = {
        {"Chest", move(0, -2, 0) * move(0, 0, 1), {{0, 1.0f}, {1, 1.0f}, {2, 1.0f}, {3, 1.0f}}}};
    s.meshes = {legs, torso};
    NodeSpec hips{"Hips", move(0, 1, 0), {}, {{"Chest", move(0, 1, 0), {}, {}}}};
    s.root.children = {{"Armature", aiMatrix4x4(), {}, {hips}},
                       {"LegsNode", aiMatrix4x4(), {0}, {}},
                       {"TorsoNode", move(0, 0, 1), {1}, {}}};
    s.animation = AnimationSpec{20.0, 10.0, {}};
    s.animation->channels.push_back(
        {"Chest",
         {{0.0, {0, 1, 0}}},
         {{0.0, aiQuaternion()},
          {20.0, aiQuaternion(aiVector3D(0, 0, 1), static_cast<float>(AI_MATH_PI / 2))}},
         {{0.0, {1, 1, 1}}}});
    return s;
}

namespace {

// The folders made for the tests, removed when the test program ends.
struct MadeFolders {
    std::vector<std::filesystem::path> paths;
    ~MadeFolders() {
        std::error_code ignored;
        for (const auto& path : paths) std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

std::filesystem::path TestFolder() {
    static MadeFolders made;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps test runs of several builds at once apart.
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) /
                                      ("plughost_import_" + std::to_string(getpid()) + "_" +
                                       info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    made.paths.push_back(dir);
    return dir;
}

void EditGltf(const std::filesystem::path& file, const std::function<void(nlohmann::json&)>& edit) {
    nlohmann::json doc = nlohmann::json::parse(ReadBytes(file));
    edit(doc);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << doc.dump();
}

std::string SolidPng(int width, int height, unsigned char r, unsigned char g, unsigned char b,
                     unsigned char a) {
    std::string pixels;
    for (int i = 0; i < width * height; ++i)
        pixels += {static_cast<char>(r), static_cast<char>(g), static_cast<char>(b),
                   static_cast<char>(a)};
    std::string png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                       static_cast<size_t>(size));
        },
        &png, width, height, 4, pixels.data(), width * 4);
    return png;
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace import_test
