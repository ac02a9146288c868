// lumenpass.ini: the lines as written, what old, newer, cut and hand-edited files read as.
#include "render/settings_format.h"

#include <gtest/gtest.h>

namespace render {
namespace {

std::string FileWith(const std::string& versionLine, const std::string& pathLine,
                     const std::string& sizeLine) {
    return "// version\r\n" + versionLine + "\r\n// outputPath\r\n" + pathLine +
           "\r\n// outputRawActFiles\r\n0\r\n// keep24BitTgas\r\n1\r\n// useRawsmith\r\n1\r\n"
           "// rawsmithPreviewMode\r\n1\r\n// ignoreHiddenNodes\r\n1\r\n// panningCamera\r\n1\r\n"
           "// outputSizeX, outputSizeY, padSizeX, padSizeY\r\n" +
           sizeLine + "\r\n";
}

RenderOptions Changed() {
    RenderOptions o;
    o.outputPath = "C:\\renders\\out";
    o.outputRawActFiles = 0;
    o.keep24BitTgas = o.useRawsmith = o.rawsmithPreviewMode = o.ignoreHiddenNodes =
        o.panningCamera = 1;
    o.outputSizeX = 800;
    o.outputSizeY = 600;
    o.padSizeX = 10;
    o.padSizeY = 20;
    return o;
}

TEST(RenderSettingsFormat, FreshValuesWriteTheEighteenLines) {
    EXPECT_EQ(FormatRenderSettings(RenderOptions{}),
              "// version\r\n2\r\n// outputPath\r\n\"\"\r\n// outputRawActFiles\r\n1\r\n"
              "// keep24BitTgas\r\n0\r\n// useRawsmith\r\n0\r\n// rawsmithPreviewMode\r\n0\r\n"
              "// ignoreHiddenNodes\r\n0\r\n// panningCamera\r\n0\r\n"
              "// outputSizeX, outputSizeY, padSizeX, padSizeY\r\n640,480,0,0\r\n");
}

TEST(RenderSettingsFormat, WrittenValuesReadBack) {
    RenderOptions read;
    const SettingsReadResult result = ParseRenderSettings(FormatRenderSettings(Changed()), read);
    EXPECT_EQ(result.status, SettingsRead::Loaded);
    EXPECT_EQ(read, Changed());
}

TEST(RenderSettingsFormat, OlderVersionsReadAlikeNewerAreIgnored) {
    for (const char* version : {"2", "1", "0", "-4"}) {
        RenderOptions read;
        EXPECT_EQ(
            ParseRenderSettings(FileWith(version, "\"C:\\renders\\out\"", "800,600,10,20"), read)
                .status,
            SettingsRead::Loaded)
            << version;
        EXPECT_EQ(read, Changed()) << version;
    }
    for (const char* version : {"3", "x", ""}) {
        RenderOptions read;
        EXPECT_EQ(ParseRenderSettings(FileWith(version, "\"C:\\a\"", "1,2,0,0"), read).status,
                  SettingsRead::Ignored)
            << version;
        EXPECT_EQ(read, RenderOptions{}) << version;
    }
}

// Nothing between the quotes reads no path; the values after it are still read from their own
// lines, not one line late.
TEST(RenderSettingsFormat, EmptyPathKeepsThePathAndReadsTheRest) {
    RenderOptions read;
    read.outputPath = "C:\\before";
    EXPECT_EQ(ParseRenderSettings(FileWith("2", "\"\"", "800,600,10,20"), read).status,
              SettingsRead::Loaded);
    RenderOptions expected = Changed();
    expected.outputPath = "C:\\before";
    EXPECT_EQ(read, expected);

    RenderOptions fresh;
    EXPECT_EQ(ParseRenderSettings(FormatRenderSettings(fresh), fresh).status, SettingsRead::Loaded);
    EXPECT_EQ(fresh, RenderOptions{});
}

TEST(RenderSettingsFormat, SizeLineReadsAsTheFormatDoes) {
    RenderOptions spaced;
    EXPECT_EQ(ParseRenderSettings(FileWith("2", "\"p\"", "800, 600, 10, 20"), spaced).status,
              SettingsRead::Loaded);
    EXPECT_EQ(spaced.outputSizeY, 600);
    EXPECT_EQ(spaced.padSizeY, 20);

    // A blank before a comma does not match the format: the sizes before it are taken.
    RenderOptions stopped;
    EXPECT_EQ(ParseRenderSettings(FileWith("2", "\"p\"", "800 ,600,10,20"), stopped).status,
              SettingsRead::Stopped);
    EXPECT_EQ(stopped.outputSizeX, 800);
    EXPECT_EQ(stopped.outputSizeY, 480);
}

TEST(RenderSettingsFormat, ValuesAfterTheFirstThatDoesNotReadKeepTheirValues) {
    RenderOptions cut;
    const std::string full = FileWith("2", "\"C:\\renders\\out\"", "800,600,10,20");
    // Cut after the flags: the sizes stay.
    const std::string flagsOnly = full.substr(0, full.find("// outputSizeX"));
    EXPECT_EQ(ParseRenderSettings(flagsOnly, cut).status, SettingsRead::Stopped);
    EXPECT_EQ(cut.panningCamera, 1);
    EXPECT_EQ(cut.outputSizeX, 640);
    EXPECT_EQ(cut.outputSizeY, 480);

    // A flag that is not a number stops the reading there: the later flags are not read from
    // the lines of earlier ones.
    std::string damaged = full;
    damaged.replace(damaged.find("// keep24BitTgas\r\n1"), 19, "// keep24BitTgas\r\nx");
    RenderOptions read;
    EXPECT_EQ(ParseRenderSettings(damaged, read).status, SettingsRead::Stopped);
    EXPECT_EQ(read.outputRawActFiles, 0);
    EXPECT_EQ(read.keep24BitTgas, 0);
    EXPECT_EQ(read.useRawsmith, 0);
    EXPECT_EQ(read.outputSizeX, 640);
}

TEST(RenderSettingsFormat, PathLongerThanAPathIsNotTakenNorCut) {
    const std::string longPath(kMaxPathLength + 1, 'p');
    RenderOptions read;
    read.outputPath = "kept";
    const SettingsReadResult result =
        ParseRenderSettings(FileWith("2", "\"" + longPath + "\"", "800,600,10,20"), read);
    EXPECT_TRUE(result.pathTooLong);
    EXPECT_EQ(read.outputPath, "kept");
    EXPECT_EQ(read.outputSizeX, 800);

    RenderOptions longest;
    const std::string fits(kMaxPathLength, 'p');
    EXPECT_FALSE(
        ParseRenderSettings(FileWith("2", "\"" + fits + "\"", "1,1,0,0"), longest).pathTooLong);
    EXPECT_EQ(longest.outputPath, fits);
}

}  // namespace
}  // namespace render
