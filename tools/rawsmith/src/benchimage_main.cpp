// Makes the comparison images and measures how close a quantized image is to its original.
//   benchimage make gradient|scene|noise|tiles WIDTH HEIGHT OUT.ppm|OUT.tga [SEED]
//   benchimage psnr ORIGINAL CANDIDATE           (both PPM or Targa)
//   benchimage psnr ORIGINAL FILE.raw FILE.act   (a rawsmith result)
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "rawsmith/image_readers.h"
#include "rawsmith/output_files.h"
#include "support/file_io.h"
#include "synth_image.h"

namespace {

using rawsmith::TrueColorImage;

int Usage() {
    std::fprintf(
        stderr,
        "usage: benchimage make gradient|scene|noise|tiles WIDTH HEIGHT OUT.ppm|OUT.tga [SEED]\n"
        "       benchimage psnr ORIGINAL CANDIDATE\n"
        "       benchimage psnr ORIGINAL FILE.raw FILE.act\n");
    return 2;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

int Make(const std::vector<std::string>& args) {
    if (args.size() < 4 || args.size() > 5) return Usage();
    const std::string& kind = args[0];
    const int width = std::stoi(args[1]);
    const int height = std::stoi(args[2]);
    const std::string& out = args[3];
    const uint32_t seed = args.size() == 5 ? static_cast<uint32_t>(std::stoul(args[4])) : 42;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) return Usage();

    quantize::synth::Image image;
    if (kind == "gradient") {
        image = quantize::synth::Gradient(width, height);
    } else if (kind == "scene") {
        image = quantize::synth::Scene(width, height, seed);
    } else if (kind == "noise") {
        image = quantize::synth::Noise(width, height, seed);
    } else if (kind == "tiles") {
        image = quantize::synth::Tiles(width, height, seed);
    } else {
        return Usage();
    }
    const std::vector<uint8_t> bytes = EndsWith(out, ".tga")
                                           ? quantize::synth::EncodeTarga(image, 24, false)
                                           : quantize::synth::EncodePpm(image);
    if (const support::Status written = rawsmith::WriteFileReplacing(out, bytes); !written) {
        std::fprintf(stderr, "benchimage: error: %s\n", written.error().c_str());
        return 1;
    }
    return 0;
}

bool Load(const std::string& path, TrueColorImage& image) {
    rawsmith::ImageResult read = rawsmith::ReadImageFile(path);
    if (!read) {
        std::fprintf(stderr, "benchimage: error: %s: %s\n", path.c_str(), read.error().c_str());
        return false;
    }
    image = std::move(*read);
    return true;
}

// Rebuilds blue-green-red pixels from palette indices and red-green-blue entries.
bool LoadRawAct(const std::string& rawPath, const std::string& actPath, int width, int height,
                TrueColorImage& image) {
    const support::Result<std::string> raw = support::ReadWholeFile(rawPath);
    const support::Result<std::string> act = support::ReadWholeFile(actPath);
    if (!raw || !act || raw->size() != static_cast<std::size_t>(width) * height ||
        act->size() != 768) {
        std::fprintf(stderr, "benchimage: error: %s / %s: unreadable or wrong size\n",
                     rawPath.c_str(), actPath.c_str());
        return false;
    }
    image.width = width;
    image.height = height;
    image.bgr.resize(raw->size() * 3);
    for (std::size_t i = 0; i < raw->size(); ++i) {
        const std::size_t entry = static_cast<uint8_t>((*raw)[i]) * 3u;
        for (std::size_t c = 0; c < 3; ++c) image.bgr[i * 3 + c] = (*act)[entry + 2 - c];
    }
    return true;
}

int Psnr(const std::vector<std::string>& args) {
    if (args.size() != 2 && args.size() != 3) return Usage();
    TrueColorImage original;
    TrueColorImage candidate;
    if (!Load(args[0], original)) return 1;
    const bool loaded =
        args.size() == 2 ? Load(args[1], candidate)
                         : LoadRawAct(args[1], args[2], original.width, original.height, candidate);
    if (!loaded) return 1;
    if (candidate.width != original.width || candidate.height != original.height) {
        std::fprintf(stderr, "benchimage: error: the images differ in size\n");
        return 1;
    }
    double squares = 0;
    for (std::size_t i = 0; i < original.bgr.size(); ++i) {
        const double d = static_cast<double>(original.bgr[i]) - candidate.bgr[i];
        squares += d * d;
    }
    const double mse = squares / static_cast<double>(original.bgr.size());
    if (mse == 0) {
        std::printf("inf\n");
    } else {
        std::printf("%.2f\n", 10 * std::log10(255.0 * 255.0 / mse));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        if (args[0] == "make") return Make(rest);
        if (args[0] == "psnr") return Psnr(rest);
    } catch (const std::exception&) {  // a number that does not parse
    }
    return Usage();
}
