#pragma once
// Stand-ins for the Pose exporter tests that count what the exporter does with host objects and
// bitmaps: meshes that note their deletion, a geometric object whose conversion is scripted, and
// a bitmap manager serving in-memory images by name.
#include <hostsdk/bitmap.h>
#include <hostsdk/scene.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace skeleton {

struct MeshCounters {
    int made = 0;     // meshes made by a conversion
    int deleted = 0;  // DeleteThis calls, on any mesh
};

// A triangle mesh object. A converted one frees itself in DeleteThis; a native one only counts
// the call (which the exporter must never make).
class CountingMesh : public MeshObject {
  public:
    CountingMesh(TriangleMesh mesh, MeshCounters& counters, bool converted)
        : mesh_(std::move(mesh)), counters_(counters), converted_(converted) {}

    SuperClassId SuperClassID() override { return kGeomObjectSuperClass; }
    ClassId ClassID() override { return kTriangleMeshClassId; }
    bool CanConvertToType(ClassId target) override { return target == kTriangleMeshClassId; }
    HostObject* ConvertToType(TimeValue, ClassId target) override;
    void DeleteThis() override;
    TriangleMesh& GetMesh() override { return mesh_; }

  private:
    TriangleMesh mesh_;
    MeshCounters& counters_;
    bool converted_;
};

// A geometric object that converts into a new CountingMesh, or into nothing.
class ConvertingObject : public HostObject {
  public:
    ConvertingObject(TriangleMesh mesh, MeshCounters& counters, bool conversionWorks = true)
        : mesh_(std::move(mesh)), counters_(counters), works_(conversionWorks) {}

    SuperClassId SuperClassID() override { return kGeomObjectSuperClass; }
    ClassId ClassID() override { return kPolyObjectClassId; }
    bool CanConvertToType(ClassId target) override { return target == kTriangleMeshClassId; }
    HostObject* ConvertToType(TimeValue, ClassId target) override;
    void DeleteThis() override {}

  private:
    TriangleMesh mesh_;
    MeshCounters& counters_;
    bool works_;
};

// Serves images by name as 16-bit RGBA rows; counts the bitmaps not yet released.
class FakeBitmapManager : public BitmapManager {
  public:
    struct Image {
        int width = 0, height = 0;
        std::vector<BitmapPixel64> pixels;  // row by row from the top
        int failingRow = -1;                // GetPixels fails for this row
    };

    // An image of one colour.
    static Image Plain(int width, int height, BitmapPixel64 pixel);

    std::map<std::string, Image> images;
    int live = 0;
    std::vector<std::string> loads;  // names asked for, in order

    Bitmap* Load(BitmapInfo* info, uint16_t* status) override;
    Bitmap* Create(BitmapInfo*) override { return nullptr; }
};

// Installs a bitmap manager as TheManager for the lifetime of the object.
class ScopedBitmapManager {
  public:
    explicit ScopedBitmapManager(BitmapManager* manager) : previous_(TheManager) {
        TheManager = manager;
    }
    ~ScopedBitmapManager() { TheManager = previous_; }

  private:
    BitmapManager* previous_;
};

}  // namespace skeleton
