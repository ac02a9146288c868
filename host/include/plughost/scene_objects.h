#pragma once
// The objects a scene node can carry: triangle meshes, geometric objects that convert to
// meshes, cameras, targets, lights, shapes, and the derived object that puts a modifier stack
// (the Physique stand-in) on top of one of them.
#include <map>
#include <memory>
#include <vector>

#include "hostsdk/scene.h"
#include "plughost/skin.h"

namespace plughost {

// Objects made by a conversion that have not been released with DeleteThis yet; a clean
// export leaves this where it found it.
int LiveConvertedObjects();

// A triangle mesh object. Scene-owned meshes ignore DeleteThis; meshes made by a conversion
// free themselves there.
class HostMeshObject : public MeshObject {
  public:
    explicit HostMeshObject(TriangleMesh mesh, bool madeByConversion = false);
    ~HostMeshObject() override;

    SuperClassId SuperClassID() override { return kGeomObjectSuperClass; }
    ClassId ClassID() override { return kTriangleMeshClassId; }
    bool CanConvertToType(ClassId target) override { return target == kTriangleMeshClassId; }
    HostObject* ConvertToType(TimeValue t, ClassId target) override;
    void DeleteThis() override;
    TriangleMesh& GetMesh() override { return mesh_; }

  private:
    TriangleMesh mesh_;
    bool madeByConversion_;
};

// A geometric object that is not a triangle mesh: converting it gives a new mesh that belongs
// to the caller.
class HostPolyObject : public HostObject {
  public:
    explicit HostPolyObject(TriangleMesh mesh) : mesh_(std::move(mesh)) {}

    SuperClassId SuperClassID() override { return kGeomObjectSuperClass; }
    ClassId ClassID() override { return kPolyObjectClassId; }
    bool CanConvertToType(ClassId target) override;
    HostObject* ConvertToType(TimeValue t, ClassId target) override;
    void DeleteThis() override {}
    const TriangleMesh& Mesh() const { return mesh_; }

  private:
    TriangleMesh mesh_;
};

class HostCameraObject : public CameraObject {
  public:
    HostCameraObject(float fov, float nearClip, float farClip)
        : fov_(fov), near_(nearClip), far_(farClip) {}

    SuperClassId SuperClassID() override { return kCameraSuperClass; }
    ClassId ClassID() override { return kCameraClassId; }
    bool CanConvertToType(ClassId) override { return false; }
    HostObject* ConvertToType(TimeValue, ClassId) override { return nullptr; }
    void DeleteThis() override {}
    float FieldOfView() override { return fov_; }
    float NearClip() override { return near_; }
    float FarClip() override { return far_; }

  private:
    float fov_, near_, far_;
};

// A point light that shines equally in all directions; the renderer lights the scene with it.
class HostLightObject : public HostObject {
  public:
    HostLightObject(Point3 color, float intensity) : color_(color), intensity_(intensity) {}

    SuperClassId SuperClassID() override { return kLightSuperClass; }
    ClassId ClassID() override { return kLightClassId; }
    bool CanConvertToType(ClassId) override { return false; }
    HostObject* ConvertToType(TimeValue, ClassId) override { return nullptr; }
    void DeleteThis() override {}
    Point3 Color() const { return color_; }  // 0..1
    float Intensity() const { return intensity_; }

  private:
    Point3 color_;
    float intensity_;
};

// Targets, lights without colour and shapes: objects with a class and nothing to convert to.
class HostPlainObject : public HostObject {
  public:
    HostPlainObject(SuperClassId superClass, ClassId classId)
        : superClass_(superClass), classId_(classId) {}

    SuperClassId SuperClassID() override { return superClass_; }
    ClassId ClassID() override { return classId_; }
    bool CanConvertToType(ClassId) override { return false; }
    HostObject* ConvertToType(TimeValue, ClassId) override { return nullptr; }
    void DeleteThis() override {}

  private:
    SuperClassId superClass_;
    ClassId classId_;
};

// The Physique stand-in. Its export interface hands out a context for the node the modifier
// sits on, unless the modifier was made without one. With a skin it deforms the mesh below it.
class PhysiqueModifier : public Modifier, private PhysiqueExport {
  public:
    explicit PhysiqueModifier(bool hasContext, std::unique_ptr<Skin> skin = nullptr)
        : hasContext_(hasContext), skin_(std::move(skin)) {}

    ClassId ClassID() override { return kPhysiqueClassId; }
    void* GetInterface(uint32_t id) override;
    // The node whose stack holds the modifier; set when the node takes it.
    void SetOwner(SceneNode* node) { owner_ = node; }
    bool HasContext() const { return hasContext_; }
    const Skin* GetSkin() const { return skin_.get(); }
    // The vertices posed at time t; unchanged without a skin or an owner.
    std::vector<Point3> Deform(const std::vector<Point3>& vertices, TimeValue t) const;

  private:
    PhysiqueContext* GetContextInterface(SceneNode* node) override;

    bool hasContext_;
    std::unique_ptr<Skin> skin_;
    SceneNode* owner_ = nullptr;
    PhysiqueContext context_;
};

// An object with a modifier stack. Evaluation gives the base object, or, when a modifier
// deforms a base triangle mesh, a copy of it posed at the time.
class HostDerivedObject : public DerivedObject {
  public:
    HostDerivedObject(std::unique_ptr<HostObject> base,
                      std::vector<std::unique_ptr<Modifier>> modifiers)
        : base_(std::move(base)), modifiers_(std::move(modifiers)) {}

    SuperClassId SuperClassID() override { return kDerivedObjectSuperClass; }
    ClassId ClassID() override { return kDerivedObjectClassId; }
    bool CanConvertToType(ClassId target) override;
    HostObject* ConvertToType(TimeValue t, ClassId target) override;
    void DeleteThis() override {}
    int NumModifiers() override { return static_cast<int>(modifiers_.size()); }
    Modifier* GetModifier(int index) override;
    HostObject* GetBaseObject() override { return base_.get(); }

    // The object at the end of the stack at time t. A deformed mesh is kept here and
    // overwritten by the next evaluation, as a host's world-state cache is.
    HostObject* Evaluate(TimeValue t);

  private:
    std::unique_ptr<HostObject> base_;  // may be null: a helper with modifiers
    std::vector<std::unique_ptr<Modifier>> modifiers_;
    std::unique_ptr<HostMeshObject> evaluated_;
};

}  // namespace plughost
