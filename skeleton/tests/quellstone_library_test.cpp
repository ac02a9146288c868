// Loads the built quellstone.dle as the host does and checks what it tells the host.
#include <gtest/gtest.h>
#include <hostsdk/loader.h>

#include <filesystem>
#include <memory>

#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"
#include "frame/testing/test_support.h"

namespace skeleton {

using namespace hostfakes;
using namespace support::testing;

namespace {

class QuellstoneLibrary : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        library_ = PluginLibrary::Load(QUELLSTONE_DLE, error).release();
        ASSERT_NE(library_, nullptr) << error;
    }
    static void TearDownTestSuite() {
        delete library_;
        library_ = nullptr;
    }
    static PluginLibrary* library_;
};
PluginLibrary* QuellstoneLibrary::library_ = nullptr;

struct ExpectedClass {
    const char* name;
    ClassId id;
    const char* ext;
    const char* longDesc;
    const char* shortDesc;
};

TEST_F(QuellstoneLibrary, ReportsItsValues) {
    EXPECT_STREQ(library_->Description(), "BON/POS file exporter (Vantreel)");
    EXPECT_EQ(library_->Version(), 0x09C40500ul);
    ASSERT_EQ(library_->NumberClasses(), 2);
    EXPECT_EQ(library_->ClassDesc(2), nullptr);
    EXPECT_EQ(library_->ClassDesc(-1), nullptr);

    const ExpectedClass expected[] = {
        {"BonExp", ClassId(0x42772D3E, 0x04F53196), "BON", "Vantreel Bone Exporter",
         "VTR Bone Exporter"},
        {"PosExp", ClassId(0x63C25989, 0x6FEE3FFC), "POS", "Vantreel Pose Exporter",
         "VTR Pose Exporter"},
    };
    for (int i = 0; i < 2; ++i) {
        ClassDescriptor* desc = library_->ClassDesc(i);
        ASSERT_NE(desc, nullptr);
        EXPECT_EQ(desc->IsPublic(), 1);
        EXPECT_STREQ(desc->ClassName(), expected[i].name);
        EXPECT_EQ(desc->SuperClassID(), 0xA20u);
        EXPECT_EQ(desc->ClassID(), expected[i].id);
        EXPECT_STREQ(desc->Category(), "VTR");
        EXPECT_EQ(desc->BeginCreate(nullptr), 0);
        EXPECT_EQ(desc->EndCreate(nullptr), 0);
        EXPECT_EQ(desc->OkToCreate(nullptr), 1);
        EXPECT_EQ(desc->HasClassParams(), 0);
        EXPECT_EQ(desc->NumActionTables(), 0);
        std::unique_ptr<SceneExporter> exporter(static_cast<SceneExporter*>(desc->Create(false)));
        ASSERT_NE(exporter, nullptr);
        ExpectExporterTexts(*exporter, expected[i].ext, expected[i].longDesc,
                            expected[i].shortDesc);
    }
}

TEST_F(QuellstoneLibrary, ExportsABoneFileThroughItsOwnDialog) {
    TempFolder dir;
    FakeNode root("Scene Root");
    root.AddChild("Bip01")->AddChild("Bip01 Spine");
    FakeHost host;
    host.root = &root;
    host.plugConfigDir = dir.Path().string();
    host.animRange = {0, 2 * GetTicksPerFrame()};
    ScriptedUiDriver driver = ScriptFromText("click 1043; set 1047 Bip*; click 1");
    ScopedUiDriver installed(&driver);

    std::unique_ptr<SceneExporter> exporter(
        static_cast<SceneExporter*>(library_->ClassDesc(0)->Create(false)));
    const std::string out = dir.File("walk.bon");
    ASSERT_EQ(exporter->DoExport(out.c_str(), nullptr, &host, false), 1);
    const std::vector<std::string> lines = ReadCrLfLines(out);
    ASSERT_EQ(lines.size(), 6u + 2 + 4 * 2 * 3);
    EXPECT_EQ(lines[3], "2,3");
    EXPECT_EQ(lines[5], "\"Bip01\", -1");
    EXPECT_EQ(lines[6], "\"Bip01 Spine\", 0");
    EXPECT_EQ(ReadFile(dir.File("quellstone.ini")), "5\r\n1\r\n+Bip*\r\n0\r\n1\r\n0\r\n0\r\n");
}

TEST_F(QuellstoneLibrary, PoseExportRefusesWithAMessageAndWritesNothing) {
    TempFolder dir;
    FakeNode root("Scene Root");
    FakeHost host;
    host.root = &root;
    host.plugConfigDir = dir.Path().string();
    ScriptedUiDriver driver;
    ScopedUiDriver installed(&driver);
    std::unique_ptr<SceneExporter> exporter(
        static_cast<SceneExporter*>(library_->ClassDesc(1)->Create(false)));
    const std::string out = dir.File("pose.pos");
    EXPECT_EQ(exporter->DoExport(out.c_str(), nullptr, &host, false), 0);
    EXPECT_FALSE(std::filesystem::exists(out));
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].rfind("VTR Pose Exporter: ", 0), 0u);
}

}  // namespace

}  // namespace skeleton
