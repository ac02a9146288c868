#include <gtest/gtest.h>

#include "plughost/scene_loader.h"

using namespace plughost;

namespace {

const char* kScene = R"({"root": {"children": [
  {"name": "Skin", "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]],
                              "faces": [[0,1,2]]},
   "modifiers": [{"type": "physique"}]},
  {"name": "NoContext", "object": {"type": "poly", "vertices": [[0,0,0],[1,0,0],[0,1,0],[1,1,0]],
                                   "faces": [[0,1,2],[1,3,2,1]]},
   "modifiers": [{"type": "physique", "hasContext": false}]},
  {"name": "Poly", "hidden": true, "object": {"type": "poly", "vertices": [[0,0,0]]}},
  {"name": "Target", "object": {"type": "target"}},
  {"name": "Shape", "object": {"type": "shape"}},
  {"name": "Helper", "modifiers": [{"type": "physique"}]},
  {"name": "Materials", "material": {"type": "multi", "diffuseMap": "own.png", "subMaterials": [
     {"type": "standard", "diffuseMap": "C:\\maps\\skin.bmp", "opacityMap": "alpha.png",
      "bumpMap": {"type": "checker"}, "shininess": 0.5, "shininessStrength": 0.25,
      "transparency": 0.125, "twoSided": true, "diffuse": [1, 0.5, 0]},
     null,
     {"type": "other", "diffuseMap": "other.tga", "twoSided": true}]}}
]}})";

class SceneObjects : public testing::Test {
  protected:
    void SetUp() override {
        SceneLoadResult r = LoadSceneText(kScene, "scene.json");
        ASSERT_TRUE(r.scene) << r.error;
        scene_ = std::move(r.scene);
    }
    HostNode* Node(int i) { return scene_->root->Child(i); }
    static PhysiqueExport* Physique(SceneNode* node) {
        auto* derived = static_cast<DerivedObject*>(node->GetObjectRef());
        return static_cast<PhysiqueExport*>(
            derived->GetModifier(0)->GetInterface(kPhysiqueExportInterfaceId));
    }

    std::unique_ptr<Scene> scene_;
};

}  // namespace

TEST_F(SceneObjects, MeshConvertsToItselfAndIgnoresDeleteThis) {
    HostObject* obj = Node(0)->EvalWorldState(0).obj;
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->SuperClassID(), kGeomObjectSuperClass);
    EXPECT_EQ(obj->ClassID(), kTriangleMeshClassId);
    ASSERT_TRUE(obj->CanConvertToType(kTriangleMeshClassId));
    const int before = LiveConvertedObjects();
    EXPECT_EQ(obj->ConvertToType(0, kTriangleMeshClassId), obj);
    EXPECT_EQ(LiveConvertedObjects(), before);
    obj->DeleteThis();  // a scene object: must stay usable
    EXPECT_EQ(static_cast<MeshObject*>(obj)->GetMesh().VertexCount(), 3);
}

TEST_F(SceneObjects, PolyConvertsToANewMeshTheCallerDeletes) {
    HostObject* poly = Node(1)->EvalWorldState(0).obj;
    ASSERT_EQ(poly->ClassID(), kPolyObjectClassId);
    ASSERT_TRUE(poly->CanConvertToType(kTriangleMeshClassId));
    const int before = LiveConvertedObjects();
    HostObject* mesh = poly->ConvertToType(0, kTriangleMeshClassId);
    ASSERT_NE(mesh, poly);
    EXPECT_EQ(LiveConvertedObjects(), before + 1);
    EXPECT_EQ(mesh->ClassID(), kTriangleMeshClassId);
    const TriangleMesh& m = static_cast<MeshObject*>(mesh)->GetMesh();
    EXPECT_EQ(m.VertexCount(), 4);
    ASSERT_EQ(m.FaceCount(), 2);
    EXPECT_EQ(m.faces[1].MaterialId(), 1);
    EXPECT_EQ(m.faces[1].v[1], 3u);
    mesh->DeleteThis();
    EXPECT_EQ(LiveConvertedObjects(), before);
}

TEST_F(SceneObjects, TargetsAndShapesDoNotConvert) {
    for (int i : {3, 4}) {
        HostObject* obj = Node(i)->EvalWorldState(0).obj;
        EXPECT_FALSE(obj->CanConvertToType(kTriangleMeshClassId));
        EXPECT_EQ(obj->ConvertToType(0, kTriangleMeshClassId), nullptr);
    }
    EXPECT_EQ(Node(3)->EvalWorldState(0).obj->ClassID(), kTargetObjectClassId);
    EXPECT_EQ(Node(3)->EvalWorldState(0).obj->SuperClassID(), kGeomObjectSuperClass);
}

TEST_F(SceneObjects, HiddenNodesAreEvaluatedUnlessAskedNotTo) {
    EXPECT_TRUE(Node(2)->IsNodeHidden());
    EXPECT_NE(Node(2)->EvalWorldState(0).obj, nullptr);
    EXPECT_EQ(Node(2)->EvalWorldState(0, false).obj, nullptr);
}

TEST_F(SceneObjects, ModifiersSitOnADerivedObjectOverTheBase) {
    HostObject* ref = Node(0)->GetObjectRef();
    ASSERT_EQ(ref->SuperClassID(), kDerivedObjectSuperClass);
    auto* derived = static_cast<DerivedObject*>(ref);
    ASSERT_EQ(derived->NumModifiers(), 1);
    EXPECT_EQ(derived->GetModifier(0)->ClassID(), kPhysiqueClassId);
    EXPECT_EQ(derived->GetModifier(1), nullptr);
    EXPECT_EQ(derived->GetModifier(-1), nullptr);
    EXPECT_EQ(derived->GetBaseObject(), Node(0)->EvalWorldState(0).obj);
    EXPECT_EQ(derived->GetModifier(0)->GetInterface(0x1234), nullptr);
    // A helper with a modifier: a derived object with nothing under it.
    auto* helper = static_cast<DerivedObject*>(Node(5)->GetObjectRef());
    EXPECT_EQ(helper->GetBaseObject(), nullptr);
    EXPECT_EQ(Node(5)->EvalWorldState(0).obj, nullptr);
    EXPECT_FALSE(helper->CanConvertToType(kTriangleMeshClassId));
}

TEST_F(SceneObjects, PhysiqueGivesAContextForItsOwnNodeOnly) {
    PhysiqueExport* skin = Physique(Node(0));
    ASSERT_NE(skin, nullptr);
    EXPECT_NE(skin->GetContextInterface(Node(0)), nullptr);
    EXPECT_EQ(skin->GetContextInterface(Node(1)), nullptr);
    EXPECT_EQ(skin->GetContextInterface(nullptr), nullptr);
    // hasContext false: the modifier is there, its context is not.
    PhysiqueExport* none = Physique(Node(1));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->GetContextInterface(Node(1)), nullptr);
}

TEST_F(SceneObjects, MaterialsSubMaterialsAndMaps) {
    Material* multi = Node(6)->GetMaterial();
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->ClassID(), kMultiMaterialClassId);
    ASSERT_EQ(multi->NumSubMaterials(), 3);
    EXPECT_STREQ(multi->GetSubTexmap(kMapDiffuse)->GetMapName(), "own.png");
    EXPECT_EQ(multi->GetSubMaterial(1), nullptr);
    EXPECT_EQ(multi->GetSubMaterial(3), nullptr);
    EXPECT_EQ(multi->GetSubMaterial(-1), nullptr);

    Material* standard = multi->GetSubMaterial(0);
    EXPECT_EQ(standard->ClassID(), kStandardMaterialClassId);
    EXPECT_EQ(standard->NumSubMaterials(), 0);
    TextureMap* diffuse = standard->GetSubTexmap(kMapDiffuse);
    EXPECT_EQ(diffuse->ClassID(), kBitmapTextureClassId);
    EXPECT_STREQ(diffuse->GetMapName(), "C:\\maps\\skin.bmp");  // as written
    EXPECT_STREQ(standard->GetSubTexmap(kMapOpacity)->GetMapName(), "alpha.png");
    TextureMap* bump = standard->GetSubTexmap(kMapBump);
    EXPECT_EQ(bump->ClassID(), kCheckerTextureClassId);
    EXPECT_EQ(bump->GetMapName(), nullptr);
    EXPECT_EQ(standard->GetSubTexmap(2), nullptr);
    EXPECT_EQ(standard->GetSubTexmap(99), nullptr);
    EXPECT_FLOAT_EQ(standard->GetShininess(0, false), 0.5f);
    EXPECT_FLOAT_EQ(standard->GetShinStr(0, false), 0.25f);
    EXPECT_FLOAT_EQ(standard->GetXParency(0, false), 0.125f);
    EXPECT_TRUE(standard->GetTwoSided());
    EXPECT_EQ(standard->GetDiffuse(), Point3(1, 0.5f, 0));

    Material* other = multi->GetSubMaterial(2);
    EXPECT_EQ(other->ClassID(), kOtherMaterialClassId);
    EXPECT_STREQ(other->GetSubTexmap(kMapDiffuse)->GetMapName(), "other.tga");
    EXPECT_FLOAT_EQ(other->GetShininess(0, false), 0.0f);
    EXPECT_EQ(Node(0)->GetMaterial(), nullptr);
}
