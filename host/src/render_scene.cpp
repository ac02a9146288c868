#include "plughost/render_scene.h"

#include <map>

#include "plughost/scene_objects.h"

namespace plughost {

namespace {

SurfaceLook LookOf(Material* material) {
    SurfaceLook look;
    if (!material) return look;
    look.diffuse = material->GetDiffuse();
    look.twoSided = material->GetTwoSided();
    if (TextureMap* map = material->GetSubTexmap(kMapDiffuse))
        if (const char* name = map->GetMapName()) look.diffuseMap = name;
    return look;
}

Material* FaceMaterial(Material* material, int id) {
    if (material && id < material->NumSubMaterials())
        if (Material* sub = material->GetSubMaterial(id)) return sub;
    return material;
}

// The evaluated object's mesh at time t, converted when it has to be; `owned` is set when the
// caller must release it.
TriangleMesh* MeshOf(HostObject* obj, TimeValue t, HostObject*& owned) {
    owned = nullptr;
    if (!obj || obj->SuperClassID() != kGeomObjectSuperClass ||
        !obj->CanConvertToType(kTriangleMeshClassId))
        return nullptr;
    HostObject* converted = obj->ConvertToType(t, kTriangleMeshClassId);
    if (!converted) return nullptr;
    if (converted != obj) owned = converted;
    auto* mesh = dynamic_cast<MeshObject*>(converted);
    return mesh ? &mesh->GetMesh() : nullptr;
}

void AddMesh(SceneNode& node, TimeValue t, const TriangleMesh& mesh, RenderScene& scene) {
    Material* material = node.GetMaterial();
    const bool textured =
        mesh.HasTextureVertices() && mesh.textureFaces.size() == mesh.faces.size();
    const size_t vertexCount = mesh.vertices.size(), tvertexCount = mesh.textureVertices.size();
    // Faces grouped by the material they resolve to, in order of first use.
    std::map<Material*, size_t> groupOf;
    std::vector<std::vector<size_t>> facesOf;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const MeshFace& face = mesh.faces[f];
        if (face.v[0] >= vertexCount || face.v[1] >= vertexCount || face.v[2] >= vertexCount)
            continue;
        Material* m = FaceMaterial(material, face.MaterialId());
        const auto [it, added] = groupOf.try_emplace(m, facesOf.size());
        if (added) facesOf.emplace_back();
        facesOf[it->second].push_back(f);
    }
    std::vector<Material*> materials(facesOf.size());
    for (const auto& [m, index] : groupOf) materials[index] = m;

    const Matrix3 objectTM = node.GetObjectTM(t);
    for (size_t g = 0; g < facesOf.size(); ++g) {
        DrawGroup group;
        group.objectTM = objectTM;
        group.look = LookOf(materials[g]);
        group.firstCorner = scene.corners.size() / kCornerFloats;
        scene.corners.reserve(scene.corners.size() + facesOf[g].size() * 3 * kCornerFloats);
        for (size_t f : facesOf[g]) {
            const MeshFace& face = mesh.faces[f];
            const TextureFace* tface = textured ? &mesh.textureFaces[f] : nullptr;
            for (int k = 0; k < 3; ++k) {
                const Point3& p = mesh.vertices[face.v[k]];
                Point3 uv{0, 0, 0};
                if (tface && tface->t[k] < tvertexCount) uv = mesh.textureVertices[tface->t[k]];
                scene.corners.insert(scene.corners.end(), {p.x, p.y, p.z, uv.x, uv.y});
            }
        }
        group.cornerCount = scene.corners.size() / kCornerFloats - group.firstCorner;
        // A map without texture coordinates would paint one texel over everything.
        if (!textured) group.look.diffuseMap.clear();
        scene.groups.push_back(std::move(group));
    }
}

void AddLight(SceneNode& node, TimeValue t, HostObject& obj, RenderScene& scene) {
    Point3 color{1, 1, 1};
    if (auto* light = dynamic_cast<HostLightObject*>(&obj))
        color = light->Color() * light->Intensity();
    scene.lights.push_back({Point3{0, 0, 0} * node.GetNodeTM(t), color});
}

}  // namespace

RenderScene CollectRenderScene(SceneNode* root, TimeValue t) {
    RenderScene scene;
    CollectRenderScene(root, t, scene);
    return scene;
}

void CollectRenderScene(SceneNode* root, TimeValue t, RenderScene& scene) {
    scene.corners.clear();
    scene.groups.clear();
    scene.lights.clear();
    // Depth first without recursion, so a deep hierarchy cannot exhaust the stack.
    std::vector<SceneNode*> pending;
    if (root) pending.push_back(root);
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i)
            if (SceneNode* child = node->GetChildNode(i)) pending.push_back(child);
        if (node->IsNodeHidden()) continue;
        HostObject* obj = node->EvalWorldState(t).obj;
        if (obj && obj->SuperClassID() == kLightSuperClass) {
            AddLight(*node, t, *obj, scene);
            continue;
        }
        HostObject* owned = nullptr;
        if (TriangleMesh* mesh = MeshOf(obj, t, owned)) AddMesh(*node, t, *mesh, scene);
        if (owned) owned->DeleteThis();
    }
}

}  // namespace plughost
