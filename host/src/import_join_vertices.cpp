// Joining a mesh's repeated vertices, with the result the import library's own joining step
// gives (the scene files exported from it depend on that), in time proportional to the vertex
// and weight counts: that step spends most of a large skinned mesh's import on the bone
// weights, comparing each weight with every weight its bone kept before.
#include <meshoptimizer.h>

#include <cstring>
#include <vector>

#include "import_internal.h"

namespace plughost::import {

namespace {

constexpr uint32_t kNone = ~uint32_t{0};

// The library's test of two vertices: positions, normals, the first texture coordinates,
// tangents and bitangents each within 1e-5 (a difference that is not a number passes);
// attributes the mesh lacks count as zero.
class VertexComparison {
  public:
    explicit VertexComparison(const aiMesh& mesh)
        : positions_(mesh.mVertices),
          normals_(mesh.HasNormals() ? mesh.mNormals : nullptr),
          uvs_(mesh.HasTextureCoords(0) ? mesh.mTextureCoords[0] : nullptr),
          tangents_(mesh.HasTangentsAndBitangents() ? mesh.mTangents : nullptr),
          bitangents_(mesh.HasTangentsAndBitangents() ? mesh.mBitangents : nullptr) {}

    bool Equal(uint32_t a, uint32_t b) const {
        for (const aiVector3D* values : {positions_, normals_, uvs_, tangents_, bitangents_})
            if (values != nullptr && (values[a] - values[b]).SquareLength() > kSquareEpsilon)
                return false;
        return true;
    }

  private:
    static constexpr float kEpsilon = 1e-5f;
    static constexpr float kSquareEpsilon = kEpsilon * kEpsilon;

    const aiVector3D* positions_;
    const aiVector3D* normals_;
    const aiVector3D* uvs_;
    const aiVector3D* tangents_;
    const aiVector3D* bitangents_;
};

// For each vertex the group of vertices at the same place: positions equal bit for bit once a
// negative zero counts as zero (the library finds candidates by a hash of the position that
// treats the two zeros alike). Vertices that no face uses get kNone. Empty when a face names a
// vertex that does not exist (the conversion reports that).
std::vector<uint32_t> PlaceGroups(const aiMesh& mesh) {
    std::vector<uint32_t> indices;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        for (unsigned k = 0; k < face.mNumIndices; ++k) {
            if (face.mIndices[k] >= mesh.mNumVertices) return {};
            indices.push_back(face.mIndices[k]);
        }
    }
    // The remap reads the indices as triangles; repeating an index adds no vertex.
    while (!indices.empty() && indices.size() % 3 != 0) indices.push_back(indices.back());
    std::vector<aiVector3D> places(mesh.mVertices, mesh.mVertices + mesh.mNumVertices);
    for (aiVector3D& p : places)
        for (float* c : {&p.x, &p.y, &p.z})
            if (*c == 0.0f) *c = 0.0f;
    std::vector<uint32_t> groups(mesh.mNumVertices, kNone);
    if (indices.empty()) return groups;
    meshopt_generateVertexRemap(groups.data(), indices.data(), indices.size(), places.data(),
                                places.size(), sizeof(aiVector3D));
    return groups;
}

// Each vertex's new index (kNone for a vertex no face uses), and for each new index the vertex
// that gives its values. Vertices are taken in order; one that equals a vertex kept before at
// its place joins it, the latest kept first, as the library's hash map finds them.
struct Joining {
    std::vector<uint32_t> newIndex;
    std::vector<uint32_t> source;
};

Joining Join(const aiMesh& mesh, const std::vector<uint32_t>& groups) {
    const VertexComparison comparison(mesh);
    Joining j;
    j.newIndex.assign(mesh.mNumVertices, kNone);
    std::vector<uint32_t> latestInGroup(mesh.mNumVertices, kNone);  // a new index
    std::vector<uint32_t> keptBefore;                               // by new index
    for (uint32_t v = 0; v < mesh.mNumVertices; ++v) {
        const uint32_t group = groups[v];
        if (group == kNone) continue;
        uint32_t match = latestInGroup[group];
        while (match != kNone && !comparison.Equal(v, j.source[match])) match = keptBefore[match];
        if (match != kNone) {
            j.newIndex[v] = match;
            continue;
        }
        const auto index = static_cast<uint32_t>(j.source.size());
        j.newIndex[v] = index;
        j.source.push_back(v);
        keptBefore.push_back(latestInGroup[group]);
        latestInGroup[group] = index;
    }
    return j;
}

// Replaces a per-vertex array by the values of the kept vertices.
template <typename T>
void Gather(T*& values, const std::vector<uint32_t>& source) {
    if (values == nullptr) return;
    T* kept = new T[source.size()];
    for (size_t i = 0; i < source.size(); ++i) kept[i] = values[source[i]];
    delete[] values;
    values = kept;
}

template <typename Mesh>
void GatherVertices(Mesh& mesh, const std::vector<uint32_t>& source) {
    Gather(mesh.mVertices, source);
    Gather(mesh.mNormals, source);
    Gather(mesh.mTangents, source);
    Gather(mesh.mBitangents, source);
    for (auto*& colors : mesh.mColors) Gather(colors, source);
    for (auto*& uvs : mesh.mTextureCoords) Gather(uvs, source);
    mesh.mNumVertices = static_cast<unsigned>(source.size());
}

// A bone keeps one weight per joined vertex, the first it names; the weights of vertices no
// face uses go. (The library's step leaves a bone whose weights all go as it was, naming
// vertices by their old numbers; here it is left without weights.)
void RenumberWeights(aiBone& bone, const std::vector<uint32_t>& newIndex,
                     std::vector<uint32_t>& weightedBy, uint32_t boneStamp) {
    unsigned kept = 0;
    for (unsigned w = 0; w < bone.mNumWeights; ++w) {
        aiVertexWeight weight = bone.mWeights[w];
        if (weight.mVertexId >= newIndex.size()) {
            bone.mWeights[kept++] = weight;  // out of range: the conversion reports it
            continue;
        }
        const uint32_t vertex = newIndex[weight.mVertexId];
        if (vertex == kNone || weightedBy[vertex] == boneStamp) continue;
        weightedBy[vertex] = boneStamp;
        weight.mVertexId = vertex;
        bone.mWeights[kept++] = weight;
    }
    bone.mNumWeights = kept;
}

void JoinMesh(aiMesh& mesh) {
    if (!mesh.HasPositions() || !mesh.HasFaces()) return;
    const std::vector<uint32_t> groups = PlaceGroups(mesh);
    if (groups.empty()) return;
    const Joining j = Join(mesh, groups);

    // Morph targets run parallel to the mesh's vertices and keep the same ones.
    for (unsigned a = 0; a < mesh.mNumAnimMeshes; ++a) {
        aiAnimMesh* target = mesh.mAnimMeshes[a];
        if (target != nullptr && target->mNumVertices == mesh.mNumVertices)
            GatherVertices(*target, j.source);
    }
    GatherVertices(mesh, j.source);
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        aiFace& face = mesh.mFaces[f];
        for (unsigned k = 0; k < face.mNumIndices; ++k)
            face.mIndices[k] = j.newIndex[face.mIndices[k]];
    }
    std::vector<uint32_t> weightedBy(j.source.size(), kNone);
    for (unsigned b = 0; b < mesh.mNumBones; ++b)
        if (mesh.mBones[b] != nullptr && mesh.mBones[b]->mWeights != nullptr)
            RenumberWeights(*mesh.mBones[b], j.newIndex, weightedBy, b);
}

}  // namespace

void JoinIdenticalVertices(aiScene& scene) {
    for (unsigned m = 0; m < scene.mNumMeshes; ++m)
        if (scene.mMeshes[m] != nullptr) JoinMesh(*scene.mMeshes[m]);
}

}  // namespace plughost::import
