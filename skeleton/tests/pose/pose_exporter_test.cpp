#include <hostsdk/ui.h>

#include "plughost/scene_material.h"
#include "plughost/scene_objects.h"
#include "pose_export_fixture.h"
#include "skeleton/texture_table.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

namespace {

using Text = std::vector<std::string>;

const std::string kNotFound = "VTR Pose Exporter: Can't find physiqued model!";
const std::string kSecondModel = "VTR Pose Exporter: Found more than one physiqued model!";
const std::string kNoMesh = "VTR Pose Exporter: Found a physiqued model, but couldn't get mesh.";

std::string Standard(const std::string& members) {
    return "{\"type\": \"standard\"" + (members.empty() ? "" : ", " + members) + "}";
}

TEST_F(PoseExportTest, WritesEveryLineOfAPoseWithoutMaterial) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique));
    WriteSettings({"+Bip01*"});
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Lines(),
              (Text{"// .POS version", "101", "// numBones,numFrames(always 1)", "2,1",
                    "// boneList: \"name\", parentindex", "\"Bip01\", -1", "\"Bip01 Spine\", 0",
                    "// matrixList (4x3, each row on a seperate line)", "1,0,0", "0,1,0", "0,0,1",
                    "0,3,0", "1,0,0", "0,1,0", "0,0,1", "0,4,0",
                    "// textureCount, vertexCount, triCount", "0, 4, 2", "// texture list: name",
                    "// triList: textureIndex,vertices(index, texX, texY)",
                    // Corners 2, 1, 0; u 0.25 v 0.75 is 64,64 and u 1 v 0 is 256,256.
                    "-1, 2,0,0, 1,256,256, 0,64,64", "-1, 3,128,128, 2,0,0, 0,64,64",
                    "// vertList: x,y,z", "0,0,0", "1,0,0", "1,1,0", "0,1,0", "1", "\t0, 1.0", "1",
                    "\t0, 1.0", "1", "\t0, 1.0", "1", "\t0, 1.0"}));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(host_.PhaseTitles(),
              (Text{"Counting bones", "Exporting bone linkage", "Exporting matrices",
                    "Exporting texture list", "Exporting polygons", "Exporting vertices",
                    "Exporting physique vertex weights"}));
    EXPECT_EQ(ProgressEnds(), 1);
    // The pose is taken at the host's current time, and the dialog range is that time alone.
    EXPECT_EQ(LibrarySettings().rangeStart, 10 * kTicks);
    EXPECT_EQ(LibrarySettings().rangeEnd, 10 * kTicks);
}

TEST_F(PoseExportTest, TwoSidedSubMaterialDoublesItsFacesWithCornersReversed) {
    const std::string multi = "{\"type\": \"multi\", \"subMaterials\": [" +
                              Standard("\"diffuseMap\": \"C:\\\\maps\\\\skin.png\"") + ", null, " +
                              Standard("\"diffuseMap\": \"hair.png\", \"twoSided\": true") + "]}";
    LoadScene(BodyScene("\"object\": " + SquareMesh("mesh", 2, 0) + ", " + kPhysique +
                        ", \"material\": " + multi));
    ASSERT_EQ(Export(), 1);
    // Textures are listed in the order faces first use them.
    EXPECT_EQ(Textures(), (Text{"hair.png", "C:\\maps\\skin.png"}));
    EXPECT_EQ(Counts(), "2, 4, 3");
    EXPECT_EQ(Triangles(), (Text{"0, 2,0,0, 1,256,256, 0,64,64", "0, 0,64,64, 1,256,256, 2,0,0",
                                 "1, 3,128,128, 2,0,0, 0,64,64"}));
}

TEST_F(PoseExportTest, MaterialIdPastTheSubMaterialsUsesTheMaterialItself) {
    // Face 0 names id 5 of two sub-materials, face 1 the empty slot 1: both fall back.
    const std::string own =
        "{\"type\": \"multi\", \"diffuseMap\": \"own.png\", \"subMaterials\": [" +
        Standard("\"diffuseMap\": \"sub.png\"") + ", null]}";
    LoadScene(BodyScene("\"object\": " + SquareMesh("mesh", 5, 1) + ", " + kPhysique +
                        ", \"material\": " + own));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Textures(), Text{"own.png"});
    EXPECT_EQ(Triangles().at(0).substr(0, 3), "0, ");
    EXPECT_EQ(Triangles().at(1).substr(0, 3), "0, ");

    // Without a diffuse map of its own the multi-material gives no texture.
    const std::string bare = "{\"type\": \"multi\", \"subMaterials\": [" +
                             Standard("\"diffuseMap\": \"sub.png\"") + "]}";
    LoadScene(BodyScene("\"object\": " + SquareMesh("mesh", 5, 0) + ", " + kPhysique +
                        ", \"material\": " + bare));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Textures(), Text{"sub.png"});
    EXPECT_EQ(Triangles().at(0).substr(0, 4), "-1, ");
    EXPECT_EQ(Triangles().at(1).substr(0, 3), "0, ");
}

TEST_F(PoseExportTest, TwoSidedMaterialWithoutBitmapWritesEachFaceOnce) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique + ", \"material\": " +
                        Standard("\"twoSided\": true, \"diffuseMap\": {\"type\": \"checker\"}")));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Counts(), "0, 4, 2");
    EXPECT_EQ(Triangles(),
              (Text{"-1, 2,0,0, 1,256,256, 0,64,64", "-1, 3,128,128, 2,0,0, 0,64,64"}));
}

TEST_F(PoseExportTest, MeshWithoutTextureVerticesWritesZeroTexels) {
    LoadScene(BodyScene("\"object\": " + SquareMesh("mesh", 0, 0, false) + ", " + kPhysique));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Triangles(), (Text{"-1, 2,0,0, 1,0,0, 0,0,0", "-1, 3,0,0, 2,0,0, 0,0,0"}));
}

TEST_F(PoseExportTest, MirroredNodeKeepsTheHostCornerOrder) {
    LoadScene(
        BodyScene("\"scale\": [-1, 1, 1], \"object\": " + SquareMesh() + ", " + kPhysique +
                  ", \"material\": " + Standard("\"diffuseMap\": \"a.png\", \"twoSided\": true")));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Triangles(), (Text{"0, 0,64,64, 1,256,256, 2,0,0", "0, 2,0,0, 1,256,256, 0,64,64",
                                 "0, 0,64,64, 2,0,0, 3,128,128", "0, 3,128,128, 2,0,0, 0,64,64"}));
    EXPECT_EQ(Section("// vertList: x,y,z").at(1), "-1,0,0");

    EXPECT_FALSE(IsMirrored(Matrix3()));
    EXPECT_TRUE(IsMirrored(Matrix3({1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {5, 5, 5})));
    EXPECT_FALSE(IsMirrored(Matrix3({-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, 0})));
}

TEST_F(PoseExportTest, OneBitmapWithTwoBumpMapsIsListedTwice) {
    const std::string multi = "{\"type\": \"multi\", \"subMaterials\": [" +
                              Standard("\"diffuseMap\": \"a.png\", \"bumpMap\": \"b1.png\"") +
                              ", " +
                              Standard("\"diffuseMap\": \"a.png\", \"bumpMap\": \"b2.png\"") + "]}";
    LoadScene(
        BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique + ", \"material\": " + multi));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Textures(), (Text{"a.png", "a.png"}));
    EXPECT_EQ(Triangles().at(1).substr(0, 3), "1, ");
}

TEST_F(PoseExportTest, WithoutBonesTheSkeletonSectionsAreEmpty) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique));
    ASSERT_EQ(Export(), 1);
    const Text lines = Lines();
    EXPECT_EQ(Text(lines.begin(), lines.begin() + 8),
              (Text{"// .POS version", "101", "// numBones,numFrames(always 1)", "0,1",
                    "// boneList: \"name\", parentindex",
                    "// matrixList (4x3, each row on a seperate line)",
                    "// textureCount, vertexCount, triCount", "0, 4, 2"}));
}

TEST_F(PoseExportTest, SkinnedNodeCanAlsoBeABone) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique));
    WriteSettings({"+Body", "+Bip01"});
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Section("// boneList: \"name\", parentindex"),
              (Text{"\"Bip01\", -1", "\"Body\", -1"}));
    EXPECT_EQ(Counts(), "0, 4, 2");
}

TEST_F(PoseExportTest, HiddenSkinnedNodeIsNotFoundWhenHiddenNodesAreIgnored) {
    LoadScene(BodyScene("\"hidden\": true, \"object\": " + SquareMesh() + ", " + kPhysique));
    WriteSettings({"+Bip01*"}, 1);
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{kNotFound});
    EXPECT_FALSE(OutExists());
    EXPECT_EQ(ProgressEnds(), 1);

    WriteSettings({"+Bip01*"}, 0);
    EXPECT_EQ(Export(), 1);
}

TEST_F(PoseExportTest, SecondPhysiqueNodeFailsUnlessHiddenAndIgnored) {
    const std::string second =
        "{\"name\": \"Body2\", \"hidden\": true, \"object\": " + SquareMesh() + ", " + kPhysique +
        "}";
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique, second));
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{kSecondModel});
    EXPECT_FALSE(OutExists());

    WriteSettings({}, 1);
    EXPECT_EQ(Export(), 1);
    EXPECT_EQ(Counts(), "0, 4, 2");
}

TEST_F(PoseExportTest, PhysiqueWithoutContextDoesNotMakeASkinnedModel) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() +
                        ", \"modifiers\": [{\"type\": \"physique\", \"hasContext\": false}]"));
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{kNotFound});
    EXPECT_FALSE(OutExists());
}

TEST_F(PoseExportTest, TheFirstPhysiqueModifierOfAStackDecides) {
    // Without a context first and with one second: the first one is asked, so no model.
    LoadScene(BodyScene("\"object\": " + SquareMesh() +
                        ", \"modifiers\": [{\"type\": \"physique\", \"hasContext\": false}, "
                        "{\"type\": \"physique\"}]"));
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{kNotFound});

    LoadScene(BodyScene("\"object\": " + SquareMesh() +
                        ", \"modifiers\": [{\"type\": \"physique\"}, "
                        "{\"type\": \"physique\", \"hasContext\": false}]"));
    EXPECT_EQ(Export(), 1);
}

TEST_F(PoseExportTest, ObjectsWithoutAMeshAreReported) {
    for (const char* object : {"{\"type\": \"target\"}", "{\"type\": \"shape\"}", "null"}) {
        SCOPED_TRACE(object);
        const std::string member =
            std::string(object) == "null" ? "" : std::string("\"object\": ") + object + ", ";
        LoadScene(BodyScene(member + kPhysique));
        EXPECT_EQ(Export(), 0);
        EXPECT_EQ(messages_, Text{kNoMesh});
        EXPECT_FALSE(OutExists());
    }
    MeshCounters counters;
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique));
    Skin(Node("Body"), std::make_unique<ConvertingObject>(TriangleMesh{}, counters, false));
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{kNoMesh});
}

TriangleMesh FourVertices() {
    TriangleMesh mesh;
    mesh.vertices = {{0, 0, 0}, {12, 0, 0}, {12, 0, 12}, {0, 0, 12}};
    mesh.faces.resize(2);
    mesh.faces[0].v[0] = 0, mesh.faces[0].v[1] = 1, mesh.faces[0].v[2] = 2;
    mesh.faces[1].v[0] = 0, mesh.faces[1].v[1] = 2, mesh.faces[1].v[2] = 3;
    return mesh;
}

TEST_F(PoseExportTest, ConvertedMeshIsDeletedNativeMeshIsNot) {
    MeshCounters converted;
    LoadScene(BodyScene(kPhysique));
    Skin(Node("Body"), std::make_unique<ConvertingObject>(FourVertices(), converted));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(converted.made, 1);
    EXPECT_EQ(converted.deleted, 1);
    // The weight section has one record of two lines per vertex, in vertex order.
    const Text lines = Lines();
    const Text weights(lines.end() - 8, lines.end());
    EXPECT_EQ(weights, (Text{"1", "\t0, 1.0", "1", "\t0, 1.0", "1", "\t0, 1.0", "1", "\t0, 1.0"}));

    MeshCounters native;
    Skin(Node("Body"), std::make_unique<CountingMesh>(FourVertices(), native, false));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(native.deleted, 0);
    EXPECT_EQ(Counts(), "0, 4, 2");
}

TEST_F(PoseExportTest, TextureFacesThatNameNoTextureVertexGiveZeroTexels) {
    MeshCounters native;
    TriangleMesh mesh = FourVertices();
    mesh.textureVertices = {{0.25f, 0.75f, 0}};
    mesh.textureFaces.resize(1);
    mesh.textureFaces[0].t[2] = 9;
    LoadScene(BodyScene(kPhysique));
    Skin(Node("Body"), std::make_unique<CountingMesh>(mesh, native, false));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Triangles(), (Text{"-1, 2,0,0, 1,64,64, 0,64,64", "-1, 3,0,0, 2,0,0, 0,0,0"}));

    // Exactly one past the last texture vertex: a bound test off by one reads behind the array
    // (whatever lies there becomes the texel, and the sanitizer build stops at the read).
    TriangleMesh edge = FourVertices();
    edge.textureVertices = {{0.25f, 0.75f, 0}};
    edge.textureFaces.resize(1);
    edge.textureFaces[0].t[2] = 1;
    LoadScene(BodyScene(kPhysique));
    Skin(Node("Body"), std::make_unique<CountingMesh>(edge, native, false));
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(Triangles()[0], "-1, 2,0,0, 1,64,64, 0,64,64");
}

TEST_F(PoseExportTest, ConvertedMeshIsDeletedOnEveryFailure) {
    MeshCounters converted;
    const std::string second =
        "{\"name\": \"Body2\", \"object\": " + SquareMesh() + ", " + kPhysique + "}";
    LoadScene(BodyScene(kPhysique, second));
    Skin(Node("Body"), std::make_unique<ConvertingObject>(FourVertices(), converted));
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{kSecondModel});
    EXPECT_EQ(converted.made, 1);
    EXPECT_EQ(converted.deleted, 1);
}

TEST_F(PoseExportTest, CancelInEachPhaseLeavesNothingBehind) {
    WriteSettings({"+Bip01*"}, 0, 1);
    manager_.images["a.png"] = FakeBitmapManager::Plain(2, 2, {1, 2, 3, 65535});
    for (const char* phase :
         {"Counting bones", "Exporting bone linkage", "Exporting matrices", "Exporting textures"}) {
        SCOPED_TRACE(phase);
        MeshCounters converted;
        LoadScene(
            BodyScene("\"material\": " + Standard("\"diffuseMap\": \"a.png\"") + ", " + kPhysique));
        Skin(Node("Body"), std::make_unique<ConvertingObject>(FourVertices(), converted));
        host_ = FakeHost{};
        host_.plugConfigDir = dir_.Path().string();
        host_.root = scene_->root.get();
        host_.cancelOnPhase = phase;
        EXPECT_EQ(Export(), 0);
        EXPECT_TRUE(messages_.empty());
        EXPECT_FALSE(OutExists());
        EXPECT_EQ(ProgressEnds(), 1);
        EXPECT_EQ(host_.PhaseTitles().back(), phase);
        EXPECT_EQ(converted.deleted, converted.made);
        EXPECT_FALSE(std::filesystem::exists(dir_.File("a.tga")));
    }
}

TEST_F(PoseExportTest, TriangleCountMismatchFailsTheExport) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique + ", \"material\": " +
                        Standard("\"diffuseMap\": \"a.png\", \"twoSided\": true")));
    // The material stops being two-sided between counting and writing the triangles.
    auto* material = static_cast<plughost::HostMaterial*>(Node("Body")->GetMaterial());
    host_.onProgressStart = [material](const std::string& title) {
        if (title == "Exporting polygons") material->SetTwoSided(false);
    };
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(messages_, Text{"VTR Pose Exporter: Triangle export count mismatch.  (Probably has "
                              "to do with double-sided materials.)"});
    EXPECT_FALSE(OutExists());
}

TEST_F(PoseExportTest, DialogShowsTheOutputDirectoryAndCancelWritesNothing) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique));
    std::string line;
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle dialog) {
        line = GetDlgItemText(dialog, 1017);
        ui_actions::Cancel(dialog);
    });
    ScopedUiDriver installed(&driver);
    PoseExporter exporter;
    EXPECT_EQ(exporter.DoExport(OutPath().c_str(), nullptr, &host_, false), 1);
    EXPECT_EQ(line, "Output directory: " + dir_.Path().string() + "/");
    EXPECT_FALSE(OutExists());
    EXPECT_TRUE(host_.Progress().empty());
}

TEST_F(PoseExportTest, FailedWriteFailsTheExport) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique));
    EXPECT_EQ(Export("", "/dev/full"), 0);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

TEST_F(PoseExportTest, TableIsEmptiedByConstructionAndDestruction) {
    LoadScene(BodyScene("\"object\": " + SquareMesh() + ", " + kPhysique +
                        ", \"material\": " + Standard("\"diffuseMap\": \"a.png\"")));
    {
        PoseExporter exporter;
        ScriptedUiDriver driver = ScriptFromText("");
        ScopedUiDriver installed(&driver);
        ASSERT_EQ(exporter.DoExport(OutPath().c_str(), nullptr, &host_, false), 1);
        EXPECT_EQ(TheTextureTable().Count(), 1);
        // A second export through the same object starts from an empty table.
        ASSERT_EQ(exporter.DoExport(OutPath().c_str(), nullptr, &host_, false), 1);
        EXPECT_EQ(Counts(), "1, 4, 2");
    }
    EXPECT_EQ(TheTextureTable().Count(), 0);
}

}  // namespace

}  // namespace skeleton
