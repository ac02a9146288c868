// The .raw/.act files of a small checked-in image, compared byte for byte with files made once
// and checked in beside this test.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "rawsmith/rawsmith_app.h"
#include "support/testing/files.h"
#include "support/testing/temp_folder.h"

namespace rawsmith {
namespace {

using support::testing::ReadBytes;
using support::testing::TempFolder;

const std::string kGolden = RAWSMITH_TEST_DATA_DIR "/golden";

// Converts a copy of the golden input named `input` with `switches` and checks both outputs
// against golden/EXPECTED.raw and golden/EXPECTED.act.
void ExpectGolden(const std::string& input, std::vector<std::string> switches,
                  const std::string& expected) {
    const TempFolder folder;
    const std::string copy = folder / input;
    std::filesystem::copy_file(kGolden + "/" + input, copy);
    switches.push_back(copy);
    std::ostringstream out, err;
    ASSERT_EQ(RunRawsmith(switches, out, err), 0) << err.str();
    const std::string stem = folder / std::filesystem::path(input).stem().string();
    EXPECT_EQ(ReadBytes(stem + ".raw"), ReadBytes(kGolden + "/" + expected + ".raw")) << input;
    EXPECT_EQ(ReadBytes(stem + ".act"), ReadBytes(kGolden + "/" + expected + ".act")) << input;
}

TEST(RawsmithGolden, ExactAndPreviewOutputs) {
    ExpectGolden("scene.tga", {"/q"}, "scene");
    ExpectGolden("scene.tga", {"/q", "/p", "/m"}, "preview");
}

}  // namespace
}  // namespace rawsmith
