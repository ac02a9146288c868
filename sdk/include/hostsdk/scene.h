#pragma once
#include <cstdint>

#include "hostsdk/class_id.h"
#include "hostsdk/geometry.h"
#include "hostsdk/mesh.h"
#include "hostsdk/time.h"

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

class SceneNode;
class Material;

// Anything the host keeps in the scene graph: geometry, cameras, lights, derived objects.
class HostObject {
  public:
    virtual ~HostObject() = default;
    virtual SuperClassId SuperClassID() = 0;
    virtual ClassId ClassID() = 0;
    // Whether the object converts to the given class, and the conversion at a time. The
    // conversion may return the object itself; any other result belongs to the caller, who
    // releases it with DeleteThis().
    virtual bool CanConvertToType(ClassId target) = 0;
    virtual HostObject* ConvertToType(TimeValue t, ClassId target) = 0;
    // Releases an object that a conversion made.
    virtual void DeleteThis() = 0;
};

// A modifier on a derived object's stack.
class Modifier {
  public:
    virtual ~Modifier() = default;
    virtual ClassId ClassID() = 0;
    // One of the modifier's interfaces by id, or null.
    virtual void* GetInterface(uint32_t id) = 0;
};

// An object with modifiers (super class kDerivedObjectSuperClass): a base object and a stack.
class DerivedObject : public HostObject {
  public:
    virtual int NumModifiers() = 0;
    virtual Modifier* GetModifier(int index) = 0;
    virtual HostObject* GetBaseObject() = 0;
};

// A triangle mesh object (class kTriangleMeshClassId).
class MeshObject : public HostObject {
  public:
    virtual TriangleMesh& GetMesh() = 0;
};

// A camera object (super class kCameraSuperClass).
class CameraObject : public HostObject {
  public:
    virtual float FieldOfView() = 0;  // horizontal, radians
    virtual float NearClip() = 0;
    virtual float FarClip() = 0;
};

// The skinning modifier's per-node context; its presence marks the node as skinned.
class PhysiqueContext {
  public:
    virtual ~PhysiqueContext() = default;
};

// The skinning modifier's export interface (kPhysiqueExportInterfaceId).
class PhysiqueExport {
  public:
    virtual ~PhysiqueExport() = default;
    virtual PhysiqueContext* GetContextInterface(SceneNode* node) = 0;
};

// What evaluating a node gives: the object at the end of its pipeline, or none. The object
// belongs to the host.
struct ObjectState {
    HostObject* obj = nullptr;
};

class TextureMap {
  public:
    virtual ~TextureMap() = default;
    virtual ClassId ClassID() = 0;
    // The bitmap file name of a bitmap texture, as the scene holds it; null when there is none.
    virtual const char* GetMapName() = 0;
};

// Sub-texture map slots of the standard material.
inline constexpr int kMapDiffuse = 1;
inline constexpr int kMapOpacity = 6;
inline constexpr int kMapBump = 8;

class Material {
  public:
    virtual ~Material() = default;
    virtual ClassId ClassID() = 0;
    virtual int NumSubMaterials() = 0;
    virtual Material* GetSubMaterial(int index) = 0;  // may be null
    virtual int NumSubTexmaps() = 0;
    virtual TextureMap* GetSubTexmap(int slot) = 0;  // may be null
    virtual float GetShininess(int subMaterial, bool backFace) = 0;
    virtual float GetShinStr(int subMaterial, bool backFace) = 0;
    virtual float GetXParency(int subMaterial, bool backFace) = 0;
    // The two-sided setting; meaningful for the standard material.
    virtual bool GetTwoSided() = 0;
    virtual Point3 GetDiffuse() = 0;  // 0..1
};

class SceneNode {
  public:
    virtual ~SceneNode() = default;
    // Null for a node without a name.
    virtual const char* GetName() = 0;
    virtual SceneNode* GetParentNode() = 0;
    virtual int NumberOfChildren() = 0;
    virtual SceneNode* GetChildNode(int index) = 0;
    virtual bool IsNodeHidden(bool checkLayer = false, bool checkParents = false) = 0;
    // The node's pivot placement in world space.
    virtual Matrix3 GetNodeTM(TimeValue t) = 0;
    // The placement of the node's geometry: the object offset followed by the node transform.
    virtual Matrix3 GetObjectTM(TimeValue t) = 0;
    virtual HostObject* GetObjectRef() = 0;
    virtual Material* GetMaterial() = 0;
    virtual ObjectState EvalWorldState(TimeValue t, bool evalHidden = true) = 0;
};

#pragma GCC visibility pop
