#include "frame/library_entry.h"

#include <gtest/gtest.h>

#include "frame/class_descriptors.h"
#include "frame/plugin_state.h"
#include "resources/quellstone_resources.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace resources;

namespace {

TEST(LibraryEntry, RegistersResourcesAndInitialisesControlsOnce) {
    char moduleA = 0, moduleB = 0;
    const int custom = CustomControlsInitCount();
    const int common = CommonControlsInitCount();
    ASSERT_EQ(HandleLibraryEntry(&moduleA, kReasonProcessAttach, QuellstoneResources()), 1);
    EXPECT_EQ(LibraryModule(), &moduleA);
    EXPECT_NE(FindDialogTemplate(&moduleA, resources::kDlgBoneOptions), nullptr);
    EXPECT_NE(FindBitmapResource(&moduleA, resources::kBmpLogo), nullptr);
    ASSERT_EQ(HandleLibraryEntry(&moduleB, kReasonProcessAttach, QuellstoneResources()), 1);
    EXPECT_EQ(CustomControlsInitCount(), custom + 1);
    EXPECT_EQ(CommonControlsInitCount(), common + 1);

    EXPECT_EQ(HandleLibraryEntry(&moduleA, kReasonThreadAttach, QuellstoneResources()), 1);
    EXPECT_EQ(HandleLibraryEntry(&moduleA, kReasonProcessDetach, QuellstoneResources()), 1);
    EXPECT_EQ(FindDialogTemplate(&moduleA, resources::kDlgBoneOptions), nullptr);
    EXPECT_EQ(HandleLibraryEntry(&moduleB, kReasonProcessDetach, QuellstoneResources()), 1);
    SetLibraryModule(nullptr);
}

TEST(LibraryEntry, RefusesToLoadWhenDialogSupportFails) {
    EXPECT_EQ(HandleLibraryEntry(nullptr, kReasonProcessAttach, QuellstoneResources()), 0);
}

struct CountingExporter : FixedTextExporter {
    CountingExporter() : FixedTextExporter({"XYZ", "Long", "Short"}) {}
    int DoExport(const char*, ExportSceneInterface*, HostInterface*, bool) override { return 1; }
};

TEST(ClassDescriptors, ExporterClassAnswersTheFixedQuestions) {
    ExporterClassDesc<CountingExporter> desc({"XyzExp", ClassId(1, 2), "VTR"});
    EXPECT_EQ(desc.IsPublic(), 1);
    EXPECT_STREQ(desc.ClassName(), "XyzExp");
    EXPECT_EQ(desc.SuperClassID(), 0xA20u);
    EXPECT_EQ(desc.ClassID(), ClassId(1, 2));
    EXPECT_EQ(desc.BeginCreate(nullptr), 0);
    EXPECT_EQ(desc.OkToCreate(nullptr), 1);
    EXPECT_EQ(desc.HasClassParams(), 0);
    auto* exporter = static_cast<SceneExporter*>(desc.Create(false));
    ASSERT_NE(exporter, nullptr);
    EXPECT_EQ(exporter->ExtCount(), 1);
    EXPECT_STREQ(exporter->Ext(0), "XYZ");
    EXPECT_STREQ(exporter->Ext(1), "");
    EXPECT_STREQ(exporter->Ext(-1), "");
    EXPECT_STREQ(exporter->OtherMessage1(), "");
    EXPECT_NE(exporter->AuthorName(), nullptr);
    EXPECT_EQ(exporter->Version(), 101u);
    delete exporter;
}

}  // namespace

}  // namespace frame
