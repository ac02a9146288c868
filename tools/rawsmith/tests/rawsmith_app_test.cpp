#include "rawsmith/rawsmith_app.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "quantize/quantize_image.h"
#include "support/testing/files.h"
#include "support/testing/temp_folder.h"
#include "synth_image.h"

namespace rawsmith {
namespace {

using support::testing::ReadBytes;
using support::testing::TempFolder;
using support::testing::WriteBytes;

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

    const TempFolder folder;
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
    const TempFolder folder;
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
    const TempFolder folder;
    auto truncated = quantize::synth::EncodeTarga(kScene, 24, false);
    truncated.resize(truncated.size() - 10);
    auto mapped = quantize::synth::EncodeTarga(kScene, 24, false);
    mapped[2] = 1;
    auto narrow = quantize::synth::EncodeTarga(kScene, 24, false);
    narrow[16] = 16;
    const std::string wide = "P6\n65536 2\n255\n";
    const std::string tooWideForQuantizer = "P6\n30000 1\n255\n" + std::string(90000, 'x');

    const std::vector<std::pair<std::vector<uint8_t>, std::string>> cases = {
        {truncated, "truncated: 5184 bytes of pixels expected, 5174 present"},
        {mapped, "Targa image type 1 is not supported"},
        {{'P', '3', '\n'}, "ASCII PPM (P3) is not supported: rawsmith reads Targa"},
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

// An image named like one of its outputs is refused before anything is written, however the
// output's path is spelled.
TEST(Rawsmith, RefusesToWriteOverItsInput) {
    const TempFolder folder;
    std::filesystem::create_directories(folder / "sub");
    const std::vector<uint8_t> targa = quantize::synth::EncodeTarga(kScene, 24, false);
    WriteBytes(folder / "pic.raw", targa);
    WriteBytes(folder / "pic.act", targa);
    WriteBytes(folder / "in.tga", targa);
    std::filesystem::create_symlink(folder / "in.tga", folder / "link.raw");
    const auto names = folder.Names();
    struct Case {
        std::vector<std::string> args;
        std::string output;
    };
    for (const Case& c : std::vector<Case>{
             {{folder / "pic.raw"}, folder / "pic.raw"},
             {{folder / "sub/../pic.act"}, folder / "sub/../pic.act"},
             {{"--png", folder / "sub/../in.tga", folder / "in.tga"}, folder / "sub/../in.tga"},
             {{"--png", folder / "link.raw", folder / "in.tga"}, folder / "link.raw"},
         }) {
        const RunResult run = Rawsmith(c.args);
        EXPECT_EQ(run.status, 1) << c.output;
        EXPECT_EQ(run.err, "rawsmith: error: " + c.args.back() + ": the output " + c.output +
                               " would replace the input; rename the image\n");
        EXPECT_EQ(folder.Names(), names);
        EXPECT_EQ(ReadBytes(folder / "in.tga"), targa);
    }
    EXPECT_EQ(ReadBytes(folder / "pic.raw"), targa);
}

TEST(Rawsmith, PreviewComesWithThePaletteImageOrNotAtAll) {
    const TempFolder folder;
    WriteBytes(folder / "s.tga", quantize::synth::EncodeTarga(kScene, 24, false));
    ASSERT_EQ(Rawsmith({"/q", "--png", folder / "s.png", folder / "s.tga"}).status, 0);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"s.act", "s.png", "s.raw", "s.tga"}));
    EXPECT_EQ(ReadBytes(folder / "s.png").size() > 8, true);

    // The preview cannot be written: the palette image is not written either.
    const RunResult run = Rawsmith({"--png", folder / "no/s.png", folder / "s.tga"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "rawsmith: error: " + folder / "no/s.png" +
                           ": cannot create: No such file or directory\n");
    EXPECT_EQ(run.out, "");

    const RunResult clash = Rawsmith({"--png", folder / "s.raw", folder / "s.tga"});
    EXPECT_EQ(clash.status, 2);
    EXPECT_EQ(
        clash.err.rfind(
            "rawsmith: --png " + folder / "s.raw" + " names an output of the palette image\n", 0),
        0u);
}

// A standard output where every write fails, as on a full disk.
class FullDevice : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

// Standard output that cannot be written is a failure, reported on standard error.
TEST(Rawsmith, FailsWhenStandardOutputFails) {
    const TempFolder folder;
    WriteBytes(folder / "s.tga", quantize::synth::EncodeTarga(kScene, 24, false));
    for (const std::vector<std::string>& args : {std::vector<std::string>{folder / "s.tga"},
                                                 {"--help"},
                                                 {"--version"},
                                                 {"/q", folder / "s.tga"}}) {
        FullDevice full;
        std::ostream out(&full);
        std::ostringstream err;
        const bool quiet = args[0] == "/q";
        EXPECT_EQ(RunRawsmith(args, out, err), quiet ? 0 : 1) << args[0];
        EXPECT_EQ(err.str(), quiet ? "" : "rawsmith: error: cannot write to standard output\n");
    }
}

TEST(Rawsmith, HelpVersionAndUsageErrors) {
    const RunResult help = Rawsmith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: rawsmith [/q] [/p] [/m] FILE.tga\n", 0), 0u);
    EXPECT_NE(help.out.find("Targa\nfile (24 or 32 bits, uncompressed or run-length encoded), a "
                            "binary PPM (P6) or a PNG file."),
              std::string::npos)
        << help.out;
    const RunResult version = Rawsmith({"/q", "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("rawsmith ", 0), 0u);

    EXPECT_EQ(Rawsmith({}).status, 2);
    EXPECT_EQ(Rawsmith({"/q"}).status, 2);
    const RunResult two = Rawsmith({"a.tga", "b.tga"});
    EXPECT_EQ(two.status, 2);
    EXPECT_EQ(two.err.rfind("Usage: rawsmith [/q] [/p] [/m] FILE.tga\n", 0), 0u);
    EXPECT_EQ(two.out, "");
    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--pgn", "a.tga"}, "rawsmith: unknown option --pgn\n"},
             {{"a.tga", "--png"}, "rawsmith: --png needs the name of the PNG file\n"},
             {{"--png", "a.png", "--png", "b.png", "a.tga"}, "rawsmith: --png given twice\n"}}) {
        const RunResult run = Rawsmith(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(message + "Usage: rawsmith", 0), 0u) << run.err;
    }
}

}  // namespace
}  // namespace rawsmith
