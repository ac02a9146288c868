// A node's meshes merged into one triangle mesh with material ids, texture vertices and the
// bone weights of its skin.
#include <algorithm>

#include "import_internal.h"

namespace plughost::import {

namespace {

// The material id of the scene material, adding it to the node's list on first use.
int MaterialId(std::vector<unsigned>& materials, unsigned sceneIndex) {
    auto it = std::find(materials.begin(), materials.end(), sceneIndex);
    if (it == materials.end()) it = materials.insert(materials.end(), sceneIndex);
    return static_cast<int>(it - materials.begin());
}

void AddBones(const aiMesh& mesh, uint32_t base, const NodesByName& nodes, NodeMesh& out,
              const std::string& what) {
    for (unsigned b = 0; b < mesh.mNumBones; ++b) {
        const aiBone* bone = mesh.mBones[b];
        const auto found = nodes.find(bone->mName.C_Str());
        if (found == nodes.end())
            Fail(what + ": bone " + Quoted(bone->mName) + " names no node of the scene");
        const auto boneIndex = static_cast<uint32_t>(out.bones.size());
        out.bones.push_back({found->second, ToMatrix3(bone->mOffsetMatrix)});
        for (unsigned w = 0; w < bone->mNumWeights; ++w) {
            const aiVertexWeight& vw = bone->mWeights[w];
            if (vw.mVertexId >= mesh.mNumVertices)
                Fail(what + ": bone " + Quoted(bone->mName) + " weights vertex " +
                     std::to_string(vw.mVertexId) + " of " + std::to_string(mesh.mNumVertices));
            out.influences.push_back({base + vw.mVertexId, boneIndex, vw.mWeight});
        }
    }
}

}  // namespace

NodeMesh MergeNodeMeshes(const aiScene& scene, const aiNode& node, const NodesByName& nodes) {
    NodeMesh out;
    bool anyTexture = false;
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        const unsigned index = node.mMeshes[i];
        if (index >= scene.mNumMeshes)
            Fail("node " + Quoted(node.mName) + ": mesh index " + std::to_string(index) +
                 " out of range");
        anyTexture = anyTexture || scene.mMeshes[index]->HasTextureCoords(0);
    }

    TriangleMesh& tm = out.mesh;
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[i]];
        const std::string what = "node " + Quoted(node.mName) + ": mesh " + Quoted(mesh.mName);
        const auto base = static_cast<uint32_t>(tm.vertices.size());
        for (unsigned v = 0; v < mesh.mNumVertices; ++v)
            tm.vertices.push_back(ToPoint3(mesh.mVertices[v]));
        // Texture vertices run parallel to the vertices; a mesh without them gets zeros so
        // that the merged mesh keeps one texture face per face.
        if (anyTexture) {
            const aiVector3D* uv = mesh.mTextureCoords[0];
            for (unsigned v = 0; v < mesh.mNumVertices; ++v)
                tm.textureVertices.push_back(uv ? ToPoint3(uv[v]) : Point3{});
        }
        int materialId = 0;
        if (scene.mNumMaterials > 0) {
            if (mesh.mMaterialIndex >= scene.mNumMaterials)
                Fail(what + ": material index " + std::to_string(mesh.mMaterialIndex) +
                     " out of range");
            materialId = MaterialId(out.materials, mesh.mMaterialIndex);
            // A face's flag word holds 16 bits of material id.
            if (materialId > 0xFFFF) Fail(what + ": more than 65536 materials on one node");
        }
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) {
                ++out.droppedFaces;
                continue;
            }
            MeshFace mf;
            TextureFace tf;
            for (int k = 0; k < 3; ++k) {
                if (face.mIndices[k] >= mesh.mNumVertices)
                    Fail(what + ": face " + std::to_string(f) + " names vertex " +
                         std::to_string(face.mIndices[k]) + " of " +
                         std::to_string(mesh.mNumVertices));
                mf.v[k] = tf.t[k] = base + face.mIndices[k];
            }
            mf.SetMaterialId(materialId);
            tm.faces.push_back(mf);
            if (anyTexture) tm.textureFaces.push_back(tf);
        }
        AddBones(mesh, base, nodes, out, what);
    }
    return out;
}

}  // namespace plughost::import
