// Loads the built ravelpath.dle as the host does, alone and beside quellstone.dle.
#include <gtest/gtest.h>
#include <hostsdk/loader.h>

#include <memory>

#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"
#include "frame/testing/test_support.h"

namespace course {

using namespace hostfakes;
using namespace support::testing;

namespace {

std::unique_ptr<PluginLibrary> LoadLibrary(const char* path) {
    std::string error;
    std::unique_ptr<PluginLibrary> library = PluginLibrary::Load(path, error);
    EXPECT_NE(library, nullptr) << error;
    return library;
}

std::unique_ptr<SceneExporter> CreateExporter(PluginLibrary& library, int index) {
    return std::unique_ptr<SceneExporter>(
        static_cast<SceneExporter*>(library.ClassDesc(index)->Create(false)));
}

TEST(RavelpathLibrary, ReportsItsValues) {
    const std::unique_ptr<PluginLibrary> library = LoadLibrary(RAVELPATH_DLE);
    ASSERT_NE(library, nullptr);
    EXPECT_STREQ(library->Description(), "BON/POS file exporter (Vantreel)");
    EXPECT_EQ(library->Version(), 0x07D00500ul);
    ASSERT_EQ(library->NumberClasses(), 1);
    EXPECT_EQ(library->ClassDesc(1), nullptr);
    EXPECT_EQ(library->ClassDesc(-1), nullptr);

    ClassDescriptor* desc = library->ClassDesc(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->IsPublic(), 1);
    EXPECT_STREQ(desc->ClassName(), "BonExp");
    EXPECT_EQ(desc->SuperClassID(), 0xA20u);
    EXPECT_EQ(desc->ClassID(), ClassId(0x094C358B, 0x4EE93F74));
    EXPECT_STREQ(desc->Category(), "VTR");
    EXPECT_EQ(desc->BeginCreate(nullptr), 0);
    EXPECT_EQ(desc->EndCreate(nullptr), 0);
    EXPECT_EQ(desc->OkToCreate(nullptr), 1);
    EXPECT_EQ(desc->HasClassParams(), 0);
    EXPECT_EQ(desc->NumActionTables(), 0);

    const std::unique_ptr<SceneExporter> exporter = CreateExporter(*library, 0);
    ASSERT_NE(exporter, nullptr);
    ExpectExporterTexts(*exporter, "CRS", "Vantreel Course Exporter", "VTR Course Exporter");
}

// Both libraries in one process: each keeps its own options, and the Course export converts
// with ravelpath.ini's scale factor, not quellstone.ini's.
TEST(RavelpathLibrary, KeepsItsOwnSettingsBesideQuellstone) {
    const std::unique_ptr<PluginLibrary> quellstone = LoadLibrary(QUELLSTONE_DLE);
    const std::unique_ptr<PluginLibrary> ravelpath = LoadLibrary(RAVELPATH_DLE);
    ASSERT_TRUE(quellstone && ravelpath);
    EXPECT_NE(quellstone->ClassDesc(0)->ClassID(), ravelpath->ClassDesc(0)->ClassID());

    TempFolder dir;
    WriteFile(dir.File("quellstone.ini"), "5\r\n1\r\n+Track01\r\n0\r\n6\r\n1\r\n0\r\n");
    WriteFile(dir.File("ravelpath.ini"), "1\r\n12\r\n0\r\n");
    FakeNode root("Scene Root");
    root.AddChild("Track01")->SetNodeTM(Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {12, 24, 36}));
    FakeHost host;
    host.root = &root;
    host.plugConfigDir = dir.Path().string();

    {
        ScriptedUiDriver driver;
        ScopedUiDriver installed(&driver);
        const std::string out = dir.File("track.bon");
        ASSERT_EQ(CreateExporter(*quellstone, 0)->DoExport(out.c_str(), nullptr, &host, false), 1);
        EXPECT_EQ(ReadCrLfLines(out).back(), "-6,18,-12");
    }
    {
        ScriptedUiDriver driver = ScriptFromText("set 1017 track01");
        ScopedUiDriver installed(&driver);
        const std::string out = dir.File("track.crs");
        ASSERT_EQ(CreateExporter(*ravelpath, 0)->DoExport(out.c_str(), nullptr, &host, false), 1);
        EXPECT_EQ(ReadCrLfLines(out),
                  (std::vector<std::string>{"// .CRS version", "101", "// numFrames", "1",
                                            "// matrixList (4x3, each row on a seperate line)",
                                            "1,0,0", "0,1,0", "0,0,1", "12,36,24"}));
    }
    EXPECT_EQ(ReadFile(dir.File("quellstone.ini")), "5\r\n1\r\n+Track01\r\n0\r\n6\r\n1\r\n0\r\n");
    EXPECT_EQ(ReadFile(dir.File("ravelpath.ini")), "1\r\n12\r\n0\r\n");
}

}  // namespace

}  // namespace course
