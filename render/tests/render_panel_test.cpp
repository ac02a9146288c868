// The "Lumenpass" page: what it shows when it opens, the enabling rules, the size fields, the
// folder chooser and the settings file around opening and closing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "render_test_host.h"
#include "resources/lumenpass_resources.h"
#include "resources/resource_ids.h"
#include "support/testing/files.h"

namespace render_test {
namespace {

using namespace resources;
using ::testing::ElementsAre;

class RenderPanel : public RenderFixture {
  protected:
    RenderPanel() : module_(LumenpassResources()) { utility.outputPath.clear(); }
    ~RenderPanel() override {
        if (utility.panelWindow) utility.ClosePanel(&host, nullptr);
    }

    WindowHandle Open() {
        utility.OpenPanel(&host, nullptr);
        return utility.panelWindow;
    }
    void Act(const std::string& actions) {
        driver.Append(ParseUiActions(actions));
        driver.ApplyToPage(utility.panelWindow);
    }
    bool Checked(int id) { return IsDlgButtonChecked(utility.panelWindow, id); }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(utility.panelWindow, id)); }
    std::string Text(int id) { return GetDlgItemText(utility.panelWindow, id); }

  private:
    hostfakes::ScopedModule module_;
};

TEST_F(RenderPanel, OpensWithTheInitialValuesWhenThereIsNoFile) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Text(kIdcOutputPath), "");
    EXPECT_EQ(Text(kIdcWidth), "640");
    EXPECT_EQ(Text(kIdcHeight), "480");
    EXPECT_TRUE(Checked(kIdcOutputRawAct));
    for (int id :
         {kIdcKeepTgas, kIdcUseRawsmith, kIdcPreviewMode, kIdcSkipHidden, kIdcPanningCamera})
        EXPECT_FALSE(Checked(id)) << id;
    EXPECT_TRUE(Enabled(kIdcKeepTgas));
    EXPECT_TRUE(Enabled(kIdcUseRawsmith));
    EXPECT_FALSE(Enabled(kIdcPreviewMode));
    EXPECT_TRUE(Enabled(kIdcHeight));
}

TEST_F(RenderPanel, DependentOptionsAreDisabledButKeepTheirChecks) {
    Open();
    Act("click 1012; click 1011; click 1013");
    EXPECT_TRUE(Enabled(kIdcPreviewMode));
    Act("click 1007");  // "Output raw/act files" off
    EXPECT_EQ(utility.outputRawActFiles, 0);
    for (int id : {kIdcKeepTgas, kIdcUseRawsmith, kIdcPreviewMode}) {
        EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_TRUE(Checked(id)) << id;
    }
    EXPECT_EQ(utility.useRawsmith, 1);  // kept and saved, only without effect
    Act("click 1007");
    EXPECT_TRUE(Enabled(kIdcKeepTgas));
    EXPECT_TRUE(Enabled(kIdcUseRawsmith));
    EXPECT_TRUE(Enabled(kIdcPreviewMode));
    Act("click 1012");  // "Use RAWSMITH" off takes "Preview mode" with it
    EXPECT_FALSE(Enabled(kIdcPreviewMode));
    EXPECT_TRUE(Checked(kIdcPreviewMode));
}

TEST_F(RenderPanel, PanningMakesTheHeightFollowTheWidth) {
    Open();
    Act("click 1008");
    EXPECT_EQ(Text(kIdcHeight), "640");
    EXPECT_FALSE(Enabled(kIdcHeight));
    Act("set 1018 320");
    EXPECT_EQ(Text(kIdcHeight), "320");
    EXPECT_EQ(utility.outputSizeY, 320);
    Act("click 1008");
    EXPECT_TRUE(Enabled(kIdcHeight));
    EXPECT_EQ(Text(kIdcHeight), "320");
    EXPECT_EQ(host.AcceleratorsDisabled(), 0);  // focus gained and lost again
}

TEST_F(RenderPanel, SizeTextsThatAreNotNumbersStopTheNextRun) {
    AddCamera("Cam01");
    Open();
    Act("folder " + folder.File("out") + "; click 1006");
    EXPECT_EQ(Text(kIdcOutputPath), folder.File("out"));  // shown at once
    Act("set 1018 abc; click 1001");
    EXPECT_THAT(Messages(), ElementsAre("Error: Invalid output dimensions"));
    // One character more than the field holds is no number either, never a cut one.
    Act("set 1018 " + std::string(19, '0') + "8; click 1001");
    EXPECT_EQ(Messages().size(), 2u);
    Act("set 1018 8ab; set 1019 6; click 1001");  // trailing characters are ignored
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_THAT(bitmaps.created, ElementsAre(std::pair{8, 6}));
    EXPECT_EQ(support::testing::ReadBytes(Out("Cam01.raw")).size(), 48u);
}

TEST_F(RenderPanel, ClosingSavesAndOpeningReadsTheFile) {
    Open();
    Act("set 1005 C:\\renders; click 1009; set 1018 800");
    utility.ClosePanel(&host, nullptr);
    EXPECT_EQ(utility.panelWindow, nullptr);
    EXPECT_EQ(utility.hostInterface, nullptr);
    const std::string ini = folder.File("cfg/lumenpass.ini");
    const std::vector<std::string> lines = support::testing::ReadCrLfLines(ini);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[3], "\"C:\\renders\"");
    EXPECT_EQ(lines[13], "1");
    EXPECT_EQ(lines[17], "800,480,0,0");

    // Edits made while the panel is closed are taken up when it opens.
    std::string text = support::testing::ReadFile(ini);
    text.replace(text.find("800,480,0,0"), 11, "1024,768,4,4");
    support::testing::WriteFile(ini, text);
    Open();
    EXPECT_EQ(Text(kIdcWidth), "1024");
    EXPECT_EQ(Text(kIdcHeight), "768");
    EXPECT_EQ(utility.padSizeX, 4);
    EXPECT_EQ(Text(kIdcOutputPath), "C:\\renders");
    EXPECT_TRUE(Checked(kIdcSkipHidden));
}

TEST_F(RenderPanel, OverlongPathInTheFileIsReportedAndNotTaken) {
    support::testing::WriteFile(folder.File("cfg/lumenpass.ini"),
                                "// version\r\n2\r\n// outputPath\r\n\"" + std::string(300, 'p') +
                                    "\"\r\n// outputRawActFiles\r\n0\r\n");
    Open();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("longer than 259 characters and was not read"), std::string::npos);
    EXPECT_EQ(Text(kIdcOutputPath), "");
    EXPECT_FALSE(Checked(kIdcOutputRawAct));
}

}  // namespace
}  // namespace render_test
