// The import's joining of repeated vertices against the import library's own joining step: the
// meshes are written in the library's binary format, which keeps them exactly as built, and read
// back once through the library's step and once through the import's.
#include <assimp/postprocess.h>
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <cstring>
#include <memory>

#include "import_internal.h"
#include "import_test_scenes.h"

using namespace import_test;

namespace {

constexpr unsigned kRead = aiProcess_Triangulate | aiProcess_ValidateDataStructure;

bool SameBytes(const aiVector3D* a, const aiVector3D* b, unsigned n) {
    if ((a == nullptr) != (b == nullptr)) return false;
    return a == nullptr || std::memcmp(a, b, n * sizeof(aiVector3D)) == 0;
}

void ExpectSameMesh(const aiMesh& theirs, const aiMesh& ours) {
    ASSERT_EQ(theirs.mNumVertices, ours.mNumVertices);
    const unsigned n = theirs.mNumVertices;
    EXPECT_TRUE(SameBytes(theirs.mVertices, ours.mVertices, n));
    EXPECT_TRUE(SameBytes(theirs.mNormals, ours.mNormals, n));
    EXPECT_TRUE(SameBytes(theirs.mTextureCoords[0], ours.mTextureCoords[0], n));
    ASSERT_EQ(theirs.mNumFaces, ours.mNumFaces);
    for (unsigned f = 0; f < theirs.mNumFaces; ++f) {
        ASSERT_EQ(theirs.mFaces[f].mNumIndices, ours.mFaces[f].mNumIndices);
        for (unsigned k = 0; k < theirs.mFaces[f].mNumIndices; ++k)
            EXPECT_EQ(theirs.mFaces[f].mIndices[k], ours.mFaces[f].mIndices[k]) << f;
    }
    ASSERT_EQ(theirs.mNumBones, ours.mNumBones);
    for (unsigned b = 0; b < theirs.mNumBones; ++b) {
        const aiBone& t = *theirs.mBones[b];
        const aiBone& o = *ours.mBones[b];
        ASSERT_EQ(t.mNumWeights, o.mNumWeights) << t.mName.C_Str();
        for (unsigned w = 0; w < t.mNumWeights; ++w) {
            EXPECT_EQ(t.mWeights[w].mVertexId, o.mWeights[w].mVertexId);
            EXPECT_EQ(t.mWeights[w].mWeight, o.mWeights[w].mWeight);
        }
    }
}

// Reads the file with the library's joining step, and without it followed by the import's.
void ExpectTheLibrarysJoin(const std::filesystem::path& file, unsigned expectedVertices) {
    Assimp::Importer theirs, ours;
    const aiScene* joined = theirs.ReadFile(file.string(), kRead | aiProcess_JoinIdenticalVertices);
    ASSERT_NE(joined, nullptr) << theirs.GetErrorString();
    ASSERT_NE(ours.ReadFile(file.string(), kRead), nullptr) << ours.GetErrorString();
    const std::unique_ptr<aiScene> scene(ours.GetOrphanedScene());
    plughost::import::JoinIdenticalVertices(*scene);
    ASSERT_EQ(joined->mNumMeshes, scene->mNumMeshes);
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        ExpectSameMesh(*joined->mMeshes[m], *scene->mMeshes[m]);
    EXPECT_EQ(scene->mMeshes[0]->mNumVertices, expectedVertices);
}

SceneSpec OneMesh(MeshSpec mesh) {
    SceneSpec s;
    s.meshes.push_back(std::move(mesh));
    s.root.meshes = {0};
    s.root.children.push_back({"Bone", aiMatrix4x4(), {}, {}});
    s.root.children.push_back({"Other", aiMatrix4x4(), {}, {}});
    return s;
}

}  // namespace

// Every way two vertices can be alike or not: the same in all, a hard edge (other normals), a
// texture seam, normals within and beyond the tolerance, zero and negative zero, places close
// but not equal, and a vertex that two kept vertices would both take (the later kept wins).
TEST(ImportJoin, JoinsAsTheImportLibraryDoes) {
    // Normals 1.2e-5 apart are told apart; one 6e-6 from each matches both.
    const aiVector3D up(0, 0, 1), side(1, 0, 0), tilted(0, 1.2e-5f, 1), between(0, 6e-6f, 1);
    MeshSpec mesh{"Patch", {}, {}, {}, 0, {}};
    auto vertex = [&](aiVector3D p, aiVector3D n, aiVector3D uv) {
        mesh.vertices.push_back(p);
        mesh.normals.push_back(n);
        mesh.uvs.push_back(uv);
        return static_cast<unsigned>(mesh.vertices.size() - 1);
    };
    const aiVector3D a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    const unsigned a0 = vertex(a, up, {0, 0, 0}), b0 = vertex(b, up, {1, 0, 0}),
                   c0 = vertex(c, up, {0, 1, 0});
    mesh.faces.push_back({a0, b0, c0});
    // The same corners again, and with a hard edge, a seam, a normal beyond the tolerance, a
    // negative zero.
    mesh.faces.push_back(
        {vertex(a, up, {0, 0, 0}), vertex(b, side, {1, 0, 0}), vertex(c, up, {0.5f, 1, 0})});
    mesh.faces.push_back({vertex(a, tilted, {0, 0, 0}), vertex(b, side, {1, 0, 0}),
                          vertex({-0.0f, 1, -0.0f}, up, {0, 1, 0})});
    // Within 1e-5 of the first corner, but not at the same place: kept apart.
    mesh.faces.push_back({vertex({1e-7f, 0, 0}, up, {0, 0, 0}), b0, c0});
    // Within the tolerance of both the first corner's normal and the tilted one: joins the
    // tilted, kept later.
    mesh.faces.push_back({vertex(a, between, {0, 0, 0}), b0, c0});
    vertex({5, 5, 5}, up, {0, 0, 0});  // used by no face: dropped
    const unsigned a1 = 3, b1 = 4;
    mesh.bones = {{"Bone", aiMatrix4x4(), {{a0, 0.5f}, {a1, 0.25f}, {b1, 1.0f}, {c0, 1.0f}}},
                  {"Other", aiMatrix4x4(), {{a1, 0.75f}, {b0, 0.5f}}}};
    const auto file = TestFolder() / "patch.assbin";
    ASSERT_EQ(WriteScene(OneMesh(mesh), "assbin", file), "");
    ExpectTheLibrarysJoin(file, 7);
}

// A bone that weights only vertices no face uses ends with no weights. The library's step
// leaves it naming vertices by their numbers before the joining, which then name other
// vertices or none.
TEST(ImportJoin, ABoneOfUnusedVerticesKeepsNoWeights) {
    MeshSpec mesh{"Tri",       {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {9, 9, 9}, {8, 8, 8}},
                  {{3, 1, 2}}, {},
                  0,           {}};
    mesh.bones = {{"Bone", aiMatrix4x4(), {{4, 1.0f}, {5, 1.0f}}},
                  {"Other", aiMatrix4x4(), {{1, 1.0f}, {3, 0.5f}}}};
    const auto file = TestFolder() / "tri.assbin";
    ASSERT_EQ(WriteScene(OneMesh(mesh), "assbin", file), "");
    Assimp::Importer importer;
    ASSERT_NE(importer.ReadFile(file.string(), kRead), nullptr) << importer.GetErrorString();
    const std::unique_ptr<aiScene> scene(importer.GetOrphanedScene());
    plughost::import::JoinIdenticalVertices(*scene);
    const aiMesh& joined = *scene->mMeshes[0];
    ASSERT_EQ(joined.mNumVertices, 3u);
    EXPECT_EQ(joined.mVertices[0], aiVector3D(1, 0, 0));
    EXPECT_EQ(joined.mBones[0]->mNumWeights, 0u);
    ASSERT_EQ(joined.mBones[1]->mNumWeights, 2u);
    EXPECT_EQ(joined.mBones[1]->mWeights[1].mVertexId, 2u);  // vertex 3 is the third kept
}
