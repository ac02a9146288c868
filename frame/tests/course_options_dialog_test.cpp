#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "frame/options_dialog.h"
#include "resources/ravelpath_resources.h"
#include "resources/resource_ids.h"

namespace frame {

using namespace hostfakes;
using namespace support::testing;

using namespace resources;

namespace {

class CourseOptionsDialog : public DialogTest {
  protected:
    CourseOptionsDialog() : DialogTest(RavelpathResources()) {}

    DialogOutcome Run(UiDriver& driver) {
        ScopedUiDriver installed(&driver);
        return RunCourseOptionsDialog(LibrarySettings());
    }
};

TEST_F(CourseOptionsDialog, HiddenControlsCarryScaleAndRotation) {
    LibrarySettings().nodeName = "Track01";
    LibrarySettings().scaleFactor = 12.0f;
    LibrarySettings().rotate180 = 1;
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        EXPECT_EQ(GetWindowText(d), "Course Export Options");
        EXPECT_EQ(Text(d, kIdcNodeName), "Track01");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kIdcScaleFactor)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kIdcRotate180)));
        EXPECT_EQ(Text(d, kIdcRangeSummary), "Export frames 0...300 (301 total frames)");
        EXPECT_TRUE(Enabled(d, kIdcFirstFrame));
        ASSERT_TRUE(ui_actions::SetText(d, kIdcNodeName, "Track02"));
        ASSERT_TRUE(ui_actions::Click(d, kIdcFirstFrame));
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Confirmed);
    const ExportSettings& s = LibrarySettings();
    EXPECT_EQ(s.nodeName, "Track02");
    EXPECT_EQ(s.scaleFactor, 12.0f);
    EXPECT_EQ(s.rotate180, 1);
    EXPECT_EQ(s.rangeStart, 0);
    EXPECT_EQ(s.rangeEnd, 0);
}

TEST_F(CourseOptionsDialog, ScaleOutOfRangeLeavesOnlyCancel) {
    LibrarySettings().scaleFactor = 0.0001f;
    LibrarySettings().nodeName = "kept";
    ScriptedUiDriver driver = ScriptFromText("set 1017 other");
    EXPECT_EQ(Run(driver), DialogOutcome::Cancelled);
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0],
              "Course Export Options: The scale factor must be from 0.001 to 999999.");
    EXPECT_EQ(LibrarySettings().nodeName, "kept");
}

// OK is disabled while the range is backwards; the check on OK itself still holds when the
// command arrives anyway, so no export of zero frames is ever confirmed.
TEST_F(CourseOptionsDialog, OkRefusesAnEndBeforeTheStart) {
    LibrarySettings().nodeName = "Track01";
    CallbackUiDriver driver;
    driver.Then([&](WindowHandle d) {
        ASSERT_TRUE(ui_actions::Slide(d, kIdcStartSlider, 5));
        ASSERT_TRUE(ui_actions::Slide(d, kIdcEndSlider, 2));
        EXPECT_FALSE(Enabled(d, kIdOk));
        EXPECT_EQ(Text(d, kIdcRangeSummary), "The animation range is not valid.");
        SendDialogMessage(d, kMsgCommand, MakeCommandParam(kIdOk, kNotifyClicked), 0);
        EXPECT_TRUE(IsDialogOpen(d));
        ui_actions::Cancel(d);
    });
    EXPECT_EQ(Run(driver), DialogOutcome::Cancelled);
    EXPECT_EQ(driver.Messages(),
              std::vector<std::string>{"Course Export Options: Animation range is invalid.  End "
                                       "frame cannot be before start frame."});
}

}  // namespace

}  // namespace frame
