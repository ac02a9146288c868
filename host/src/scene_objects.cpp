#include "plughost/scene_objects.h"

#include <atomic>

namespace plughost {

namespace {
std::atomic<int> liveConverted{0};
}

int LiveConvertedObjects() {
    return liveConverted.load();
}

HostMeshObject::HostMeshObject(TriangleMesh mesh, bool madeByConversion)
    : mesh_(std::move(mesh)), madeByConversion_(madeByConversion) {
    if (madeByConversion_) ++liveConverted;
}

HostMeshObject::~HostMeshObject() {
    if (madeByConversion_) --liveConverted;
}

HostObject* HostMeshObject::ConvertToType(TimeValue, ClassId target) {
    return target == kTriangleMeshClassId ? this : nullptr;
}

void HostMeshObject::DeleteThis() {
    // The scene owns its own meshes; only a conversion's result is the caller's to free.
    if (madeByConversion_) delete this;
}

bool HostPolyObject::CanConvertToType(ClassId target) {
    return target == kTriangleMeshClassId || target == kPolyObjectClassId;
}

HostObject* HostPolyObject::ConvertToType(TimeValue, ClassId target) {
    if (target == kPolyObjectClassId) return this;
    if (target != kTriangleMeshClassId) return nullptr;
    return new HostMeshObject(mesh_, true);
}

void* PhysiqueModifier::GetInterface(uint32_t id) {
    return id == kPhysiqueExportInterfaceId ? static_cast<PhysiqueExport*>(this) : nullptr;
}

PhysiqueContext* PhysiqueModifier::GetContextInterface(SceneNode* node) {
    return hasContext_ && node != nullptr && node == owner_ ? &context_ : nullptr;
}

std::vector<Point3> PhysiqueModifier::Deform(const std::vector<Point3>& vertices,
                                             TimeValue t) const {
    if (!skin_ || owner_ == nullptr) return vertices;
    return skin_->Deform(vertices, *owner_, t);
}

HostObject* HostDerivedObject::Evaluate(TimeValue t) {
    std::vector<const PhysiqueModifier*> deformers;
    for (const auto& m : modifiers_) {
        const auto* physique = dynamic_cast<const PhysiqueModifier*>(m.get());
        if (physique != nullptr && physique->GetSkin() != nullptr) deformers.push_back(physique);
    }
    if (deformers.empty() || !base_ || base_->ClassID() != kTriangleMeshClassId) return base_.get();
    const TriangleMesh& rest = static_cast<MeshObject*>(base_.get())->GetMesh();
    if (!evaluated_) evaluated_ = std::make_unique<HostMeshObject>(rest);
    TriangleMesh& posed = evaluated_->GetMesh();
    // Faces and texture data are the rest mesh's; a plug-in may have changed the cached copy.
    posed = rest;
    for (const PhysiqueModifier* d : deformers) posed.vertices = d->Deform(posed.vertices, t);
    return evaluated_.get();
}

bool HostDerivedObject::CanConvertToType(ClassId target) {
    return base_ && base_->CanConvertToType(target);
}

HostObject* HostDerivedObject::ConvertToType(TimeValue t, ClassId target) {
    return base_ ? base_->ConvertToType(t, target) : nullptr;
}

Modifier* HostDerivedObject::GetModifier(int index) {
    if (index < 0 || index >= NumModifiers()) return nullptr;
    return modifiers_[static_cast<size_t>(index)].get();
}

}  // namespace plughost
