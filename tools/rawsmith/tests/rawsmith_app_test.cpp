#include "rawsmith/rawsmith_app.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "quantize/quantize_image.h"
#include "synth_image.h"
#include "temp_folder.h"

namespace rawsmith {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult Rawsmith(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunRawsmith(args, out, err);
    return {status, out.str(), err.str()};
}

const quantize::synth::Image kScene = quantize::synth::Scene(48, 36, 4);

TEST(Rawsmith, WritesTheQuantizersResultBesideTheInput) {
    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    ASSERT_TRUE(quantize::QuantizeImage(kScene.bgr.data(), 48, 36, 24, indices, palette));

    const TempFolder folder("roundtrip");
    WriteBytes(folder.File("a.tga"), quantize::synth::EncodeTarga(kScene, 24, false));
    WriteBytes(folder.File("b.tga"), quantize::synth::EncodeTarga(kScene, 32, true));
    WriteBytes(folder.File("c.ppm"), quantize::synth::EncodePpm(kScene));

    const RunResult loud = Rawsmith({folder.File("a.tga")});
    EXPECT_EQ(loud.status, 0) << loud.err;
    EXPECT_EQ(loud.out, folder.File("a.raw") + ": 48 x 36 palette indices\n" +
                            folder.File("a.act") + ": 256 colours\n");
    EXPECT_EQ(Rawsmith({"/q", folder.File("b.tga")}).out, "");
    EXPECT_EQ(Rawsmith({"/Q", folder.File("c.ppm")}).status, 0);

    for (const std::string name : {"a", "b", "c"}) {
        EXPECT_EQ(ReadBytes(folder.File(name + ".raw")), indices) << name;
        EXPECT_EQ(ReadBytes(folder.File(name + ".act")),
                  std::vector<uint8_t>(palette.begin(), palette.end()))
            << name;
    }
}

// Mean absolute difference per component between the original and the palette image.
double MeanError(const std::vector<uint8_t>& raw, const std::vector<uint8_t>& act) {
    double total = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        for (int c = 0; c < 3; ++c)
            total += std::abs(act[raw[i] * 3u + 2 - c] - kScene.bgr[i * 3 + c]);
    }
    return total / static_cast<double>(raw.size() * 3);
}

TEST(Rawsmith, PreviewSwitchesStayClose) {
    const TempFolder folder("preview");
    WriteBytes(folder.File("s.tga"), quantize::synth::EncodeTarga(kScene, 24, false));
    ASSERT_EQ(Rawsmith({"/q", folder.File("s.tga")}).status, 0);
    const double exact =
        MeanError(ReadBytes(folder.File("s.raw")), ReadBytes(folder.File("s.act")));
    for (const auto& switches :
         std::vector<std::vector<std::string>>{{"/p"}, {"/m"}, {"/p", "/m"}}) {
        std::vector<std::string> args = switches;
        args.insert(args.begin(), "/q");
        args.push_back(folder.File("s.tga"));
        ASSERT_EQ(Rawsmith(args).status, 0);
        const auto raw = ReadBytes(folder.File("s.raw"));
        ASSERT_EQ(raw.size(), 48u * 36u);
        EXPECT_LT(MeanError(raw, ReadBytes(folder.File("s.act"))), exact + 3.0) << switches.back();
    }
}

TEST(Rawsmith, BadInputFailsAndLeavesEarlierOutputsAlone) {
    const TempFolder folder("bad");
    auto truncated = quantize::synth::EncodeTarga(kScene, 24, false);
    truncated.resize(truncated.size() - 10);
    auto rle = quantize::synth::EncodeTarga(kScene, 24, false);
    rle[2] = 10;
    auto narrow = quantize::synth::EncodeTarga(kScene, 24, false);
    narrow[16] = 16;
    const std::string wide = "P6\n65536 2\n255\n";
    const std::string tooWideForQuantizer = "P6\n30000 1\n255\n" + std::string(90000, 'x');

    const std::vector<std::pair<std::vector<uint8_t>, std::string>> cases = {
        {truncated, "truncated: 5184 bytes of pixels expected, 5174 present"},
        {rle, "Targa image type 10 is not supported"},
        {narrow, "Targa pixel depth 16 bits is not supported"},
        {{wide.begin(), wide.end()}, "over the limit of 65535"},
        {{tooWideForQuantizer.begin(), tooWideForQuantizer.end()},
         "Invalid size [30000 x 1] for bitmap"},
    };
    for (const auto& [bytes, message] : cases) {
        WriteBytes(folder.File("in.tga"), bytes);
        WriteBytes(folder.File("in.raw"), {1, 2, 3});
        const RunResult run = Rawsmith({folder.File("in.tga")});
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_NE(run.err.find("rawsmith: error: " + folder.File("in.tga") + ": "),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"in.raw", "in.tga"}));
        EXPECT_EQ(ReadBytes(folder.File("in.raw")), (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(Rawsmith({folder.File("missing.tga")}).status, 1);
}

TEST(Rawsmith, UsageErrors) {
    EXPECT_EQ(Rawsmith({}).status, 2);
    EXPECT_EQ(Rawsmith({"/q"}).status, 2);
    const RunResult two = Rawsmith({"a.tga", "b.tga"});
    EXPECT_EQ(two.status, 2);
    EXPECT_EQ(two.err.rfind("usage: rawsmith [/q] [/p] [/m] FILE.tga\n", 0), 0u);
}

}  // namespace
}  // namespace rawsmith
