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
        HostNode* boneNode = BoneNode(nodes, bone->mName.C_Str());
        if (boneNode == nullptr)
            Fail(what + ": bone " + Quoted(bone->mName) + " names no node of the scene");
        const auto boneIndex = static_cast<uint32_t>(out.bones.size());
        out.bones.push_back({boneNode, ToMatrix3(bone->mOffsetMatrix)});
        for (unsigned w = 0; w < bone->mNumWeights; ++w) {
            const aiVertexWeight& vw = bone->mWeights[w];
            if (vw.mVertexId >= mesh.mNumVertices)
                Fail(what + ": bone " + Quoted(bone->mName) + " weights vertex " +
                     std::to_string(vw.mVertexId) + " of " + std::to_string(mesh.mNumVertices));
            out.influences.push_back({base + vw.mVertexId, boneIndex, vw.mWeight});
        }
    }
}

// A face's flag word holds 16 bits of material id.
void CheckMaterialCount(int materialId, const std::string& what) {
    if (materialId > 0xFFFF) Fail(what + ": more than 65536 materials on one node");
}

}  // namespace

HostNode* BoneNode(const NodesByName& nodes, const std::string& name) {
    const auto found = nodes.find(name);
    if (found == nodes.end() || found->second.empty()) return nullptr;
    for (const NamedNode& n : found->second)
        if (n.source->mNumMeshes == 0) return n.node;
    return found->second.front().node;
}

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
            CheckMaterialCount(materialId, what);
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

void AppendNodeMesh(NodeMesh& into, NodeMesh&& from, const Matrix3& fromToInto) {
    TriangleMesh& a = into.mesh;
    TriangleMesh& b = from.mesh;
    // Texture vertices run parallel to the vertices; the side without them gets zeros.
    const bool anyTexture = !a.textureVertices.empty() || !b.textureVertices.empty();
    for (TriangleMesh* m : {&a, &b}) {
        if (!anyTexture || !m->textureVertices.empty()) continue;
        m->textureVertices.assign(m->vertices.size(), Point3{});
        m->textureFaces.clear();
        for (const MeshFace& f : m->faces) m->textureFaces.push_back({{f.v[0], f.v[1], f.v[2]}});
    }

    const auto base = static_cast<uint32_t>(a.vertices.size());
    for (const Point3& v : b.vertices) a.vertices.push_back(v * fromToInto);
    a.textureVertices.insert(a.textureVertices.end(), b.textureVertices.begin(),
                             b.textureVertices.end());
    for (size_t f = 0; f < b.faces.size(); ++f) {
        MeshFace face = b.faces[f];
        for (auto& v : face.v) v += base;
        const auto id = static_cast<size_t>(face.MaterialId());
        if (id < from.materials.size()) {
            const int materialId = MaterialId(into.materials, from.materials[id]);
            CheckMaterialCount(materialId, "merged skin");
            face.SetMaterialId(materialId);
        }
        a.faces.push_back(face);
        if (anyTexture) {
            TextureFace tf = b.textureFaces[f];
            for (auto& t : tf.t) t += base;
            a.textureFaces.push_back(tf);
        }
    }

    // An offset takes `from`'s mesh space to the bone; its vertices now arrive in `into`'s.
    const Matrix3 back = Inverse(fromToInto);
    const auto boneBase = static_cast<uint32_t>(into.bones.size());
    for (const SkinBone& bone : from.bones) into.bones.push_back({bone.node, back * bone.offset});
    for (const SkinInfluence& in : from.influences)
        into.influences.push_back({in.vertex + base, in.bone + boneBase, in.weight});
    into.droppedFaces += from.droppedFaces;
}

}  // namespace plughost::import
