#pragma once
// The skinned character of a Pose export: the one node whose object carries a Physique
// modifier with a context for it, and its triangle mesh at the export time.
#include <hostsdk/scene.h>

#include "frame/text_output.h"

namespace skeleton {

// Found during the counting pass; all set, or the export fails.
struct SkinnedModel {
    SceneNode* skinNode = nullptr;
    PhysiqueContext* skinContext = nullptr;
    MeshObject* skinMesh = nullptr;
    bool ownsSkinMesh = false;  // skinMesh was made by a conversion and is ours to delete

    // Deletes an owned mesh and forgets the mesh either way.
    void ReleaseMesh();
};

// The first Physique modifier on the node's own derived object, or null.
Modifier* FindPhysiqueModifier(SceneNode* node);
// The Physique export interface's context for the node, or null: null for a node without the
// modifier, a modifier without the interface, or one that has no context for this node.
PhysiqueContext* FindPhysiqueContext(SceneNode* node);

// The skinned-model test of the counting pass. A node without a context leaves `model` alone.
// The first node with one fills `model` with the node, the context and the node's evaluated
// mesh at `time`; false (after its message) for a second such node or when no mesh can be had.
bool TestSkinnedModel(SceneNode* node, TimeValue time, SkinnedModel& model);

// The last section of a .POS file: one influence of full weight on bone 0 per vertex.
bool WriteVertexWeights(int vertexCount, frame::TextFileWriter& out);

}  // namespace skeleton
