#include "rawsmith/rawsmith_app.h"

#include <algorithm>
#include <cctype>

#include "rawsmith/output_files.h"

namespace rawsmith {
namespace {

constexpr const char* kUsage =
    "usage: rawsmith [/q] [/p] [/m] FILE.tga\n"
    "  Writes FILE.raw (one palette index per pixel) and FILE.act (256 entries of red, green,\n"
    "  blue) beside FILE. Reads uncompressed 24- or 32-bit Targa files and binary PPM files.\n"
    "  /q  quiet: print nothing on success\n"
    "  /p  preview: build the palette from a quarter of the pixels\n"
    "  /m  preview: split colour boxes at their means only, without reassignment\n";

bool IsSwitch(const std::string& arg, char letter) {
    return arg.size() == 2 && arg[0] == '/' &&
           std::tolower(static_cast<unsigned char>(arg[1])) == letter;
}

int Fail(std::ostream& err, const std::string& path, const std::string& what) {
    err << "rawsmith: error: " << path << ": " << what << "\n";
    return 1;
}

}  // namespace

int RunRawsmith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ConvertOptions options;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (IsSwitch(arg, 'q')) {
            options.quiet = true;
        } else if (IsSwitch(arg, 'p')) {
            options.samplePalette = true;
        } else if (IsSwitch(arg, 'm')) {
            options.meanSplitsOnly = true;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        err << kUsage;
        return 2;
    }
    const std::string& path = files.front();

    std::vector<uint8_t> bytes;
    TrueColorImage image;
    std::string error;
    if (!ReadFileBytes(path, bytes, error) || !ReadImage(bytes, image, error)) {
        return Fail(err, path, error);
    }
    std::vector<uint8_t>().swap(bytes);

    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    if (!ConvertImage(image, options, indices, palette, error)) return Fail(err, path, error);

    const std::string rawPath = ReplaceExtension(path, ".raw");
    const std::string actPath = ReplaceExtension(path, ".act");
    if (!WriteFilePair(rawPath, indices, actPath, palette, error)) {
        err << "rawsmith: error: " << error << "\n";
        return 1;
    }
    if (!options.quiet) {
        out << rawPath << ": " << image.width << " x " << image.height << " palette indices\n";
        out << actPath << ": 256 colours\n";
    }
    return 0;
}

}  // namespace rawsmith
