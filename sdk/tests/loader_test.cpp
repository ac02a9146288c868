#include "hostsdk/loader.h"

#include <gtest/gtest.h>

TEST(Loader, LoadsAGoodLibrary) {
    std::string error;
    auto lib = PluginLibrary::Load(FAKE_GOOD, error);
    ASSERT_NE(lib, nullptr) << error;
    EXPECT_STREQ(lib->Description(), "Fake library");
    EXPECT_EQ(lib->Version(), 0x01020300u);
    EXPECT_EQ(lib->NumberClasses(), 1);
    ASSERT_NE(lib->ClassDesc(0), nullptr);
    EXPECT_STREQ(lib->ClassDesc(0)->ClassName(), "FakeClass");
    EXPECT_EQ(lib->ClassDesc(1), nullptr);
    EXPECT_EQ(lib->ClassDesc(-1), nullptr);
    EXPECT_EQ(lib->FileName(), "fake_good.dle");
}

TEST(Loader, RefusesLibraryWithoutAnExport) {
    std::string error;
    EXPECT_EQ(PluginLibrary::Load(FAKE_NO_VERSION, error), nullptr);
    EXPECT_NE(error.find("no LibVersion export"), std::string::npos) << error;
}

TEST(Loader, RefusesLibraryWhoseEntryFails) {
    std::string error;
    EXPECT_EQ(PluginLibrary::Load(FAKE_ENTRY_FAILS, error), nullptr);
    EXPECT_NE(error.find("refused to load"), std::string::npos) << error;
}

TEST(Loader, ReportsMissingFile) {
    std::string error;
    EXPECT_EQ(PluginLibrary::Load("/nonexistent/x.dle", error), nullptr);
    EXPECT_NE(error.find("/nonexistent/x.dle: cannot load library"), std::string::npos) << error;
}
