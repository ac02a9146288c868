// What the library tells the host about its one class.
#include "render/lumenpass_classes.h"

#include <gtest/gtest.h>

#include "render/render_utility.h"

namespace render {
namespace {

TEST(LumenpassClasses, OneUtilityClassThatHandsOutTheSingleObject) {
    EXPECT_EQ(LumenpassClassCount(), 1);
    EXPECT_EQ(LumenpassClassDesc(1), nullptr);
    EXPECT_EQ(LumenpassClassDesc(-1), nullptr);
    ClassDescriptor* d = LumenpassClassDesc(0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->IsPublic(), 1);
    EXPECT_STREQ(d->ClassName(), "VTR Camera Renderer");
    EXPECT_EQ(d->SuperClassID(), 0x1020u);
    EXPECT_EQ(d->ClassID(), (ClassId{0x1377534C, 0x19D12769}));
    EXPECT_STREQ(d->Category(), "");
    EXPECT_EQ(d->Create(false), static_cast<UtilityPlugin*>(&TheRenderUtility()));
    EXPECT_EQ(d->Create(true), d->Create(false));
    EXPECT_EQ(kLumenpassVersion, 0x09C40500ul);  // the tests link the older generation's build
}

}  // namespace
}  // namespace render
