#include "skeleton/physique_model.h"

#include "frame/text_output.h"
#include "skeleton/pose_messages.h"

namespace skeleton {

void SkinnedModel::ReleaseMesh() {
    if (ownsSkinMesh && skinMesh) skinMesh->DeleteThis();
    skinMesh = nullptr;
    ownsSkinMesh = false;
}

Modifier* FindPhysiqueModifier(SceneNode* node) {
    HostObject* object = node ? node->GetObjectRef() : nullptr;
    if (!object || object->SuperClassID() != kDerivedObjectSuperClass) return nullptr;
    auto* derived = static_cast<DerivedObject*>(object);
    for (int i = 0, n = derived->NumModifiers(); i < n; ++i) {
        Modifier* modifier = derived->GetModifier(i);
        if (modifier && modifier->ClassID() == kPhysiqueClassId) return modifier;
    }
    return nullptr;
}

PhysiqueContext* FindPhysiqueContext(SceneNode* node) {
    Modifier* modifier = FindPhysiqueModifier(node);
    if (!modifier) return nullptr;
    auto* exporter =
        static_cast<PhysiqueExport*>(modifier->GetInterface(kPhysiqueExportInterfaceId));
    if (!exporter) return nullptr;
    return exporter->GetContextInterface(node);
}

namespace {

// The node's posed mesh at `time`, or null; `owned` tells whether a conversion made it.
MeshObject* EvaluateMesh(SceneNode* node, TimeValue time, bool& owned) {
    owned = false;
    HostObject* source = node->EvalWorldState(time).obj;
    if (!source || source->SuperClassID() != kGeomObjectSuperClass ||
        source->ClassID() == kTargetObjectClassId ||
        !source->CanConvertToType(kTriangleMeshClassId))
        return nullptr;
    HostObject* converted = source->ConvertToType(time, kTriangleMeshClassId);
    if (!converted) return nullptr;
    // Only a triangle mesh object can be read as one; anything else a conversion hands back is
    // released, not used.
    if (!(converted->ClassID() == kTriangleMeshClassId)) {
        if (converted != source) converted->DeleteThis();
        return nullptr;
    }
    owned = converted != source;
    return static_cast<MeshObject*>(converted);
}

}  // namespace

bool TestSkinnedModel(SceneNode* node, TimeValue time, SkinnedModel& model) {
    PhysiqueContext* context = FindPhysiqueContext(node);
    if (!context) return true;
    if (model.skinContext) {
        ShowError("Found more than one physiqued model!");
        return false;
    }
    model.skinContext = context;
    model.skinMesh = nullptr;
    model.skinNode = node;
    bool owned = false;
    model.skinMesh = EvaluateMesh(node, time, owned);
    if (!model.skinMesh) {
        ShowError("Found a physiqued model, but couldn't get mesh.");
        return false;
    }
    model.ownsSkinMesh = owned;
    return true;
}

bool WriteVertexWeights(int vertexCount, frame::TextFileWriter& out) {
    static constexpr char kRecord[] = "1\r\n\t0, 1.0\r\n";
    for (int i = 0; i < vertexCount; ++i) out.Write(kRecord, sizeof kRecord - 1);
    return true;
}

}  // namespace skeleton
