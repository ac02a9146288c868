// lumenpass.ini, line by line: "// version", 2, "// outputPath", the path in double quotes, a
// comment and a value for each of the six switches, the size comment and "X,Y,padX,padY".
#include "render/settings_format.h"

#include <cstdint>

#include "support/scanf_reader.h"

namespace render {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The quoted output path. Nothing between the quotes reads no path but passes the line, so
// that the values after it are still read from their own lines.
bool ReadPath(support::ScanfReader& in, RenderOptions& options, bool& pathTooLong) {
    std::string path;
    bool unused = false;
    if (in.ReadQuoted(path, SIZE_MAX, unused)) {
        if (path.size() > kMaxPathLength)
            pathTooLong = true;
        else
            options.outputPath = path;
        return true;
    }
    // The only failure that leaves a double quote next is an empty pair.
    if (!in.Expect('"')) return false;
    in.SkipWhiteSpace();
    return true;
}

}  // namespace

SettingsReadResult ParseRenderSettings(std::string_view text, RenderOptions& options) {
    support::ScanfReader in(text);
    SettingsReadResult result;
    const SettingsReadResult stopped{SettingsRead::Stopped, false};

    // Every line read in place of a comment is passed over, whatever it says; an empty one is
    // passed over by the white space before the next value.
    in.SkipLine();
    int version = kSettingsVersion + 1;
    if (!in.ReadInt(version) || version > kSettingsVersion) return {SettingsRead::Ignored, false};

    in.SkipLine();
    if (!ReadPath(in, options, result.pathTooLong)) return stopped;

    for (int* flag :
         {&options.outputRawActFiles, &options.keep24BitTgas, &options.useRawsmith,
          &options.rawsmithPreviewMode, &options.ignoreHiddenNodes, &options.panningCamera}) {
        in.SkipLine();
        if (!in.ReadInt(*flag)) return {SettingsRead::Stopped, result.pathTooLong};
    }

    // "%d,%d,%d,%d": each size is taken as soon as it is read.
    in.SkipLine();
    int* const sizes[] = {&options.outputSizeX, &options.outputSizeY, &options.padSizeX,
                          &options.padSizeY};
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && !in.Expect(',')) return {SettingsRead::Stopped, result.pathTooLong};
        if (!in.ReadIntOnly(*sizes[i])) return {SettingsRead::Stopped, result.pathTooLong};
    }
    return result;
}

std::string FormatRenderSettings(const RenderOptions& o) {
    std::string out;
    auto comment = [&out](const char* key) { out += std::string("// ") + key + kLineEnd; };
    auto value = [&out](int v) { out += std::to_string(v) + kLineEnd; };
    comment("version");
    value(kSettingsVersion);
    comment("outputPath");
    out += "\"" + o.outputPath + "\"" + kLineEnd;
    comment("outputRawActFiles");
    value(o.outputRawActFiles);
    comment("keep24BitTgas");
    value(o.keep24BitTgas);
    comment("useRawsmith");
    value(o.useRawsmith);
    comment("rawsmithPreviewMode");
    value(o.rawsmithPreviewMode);
    comment("ignoreHiddenNodes");
    value(o.ignoreHiddenNodes);
    comment("panningCamera");
    value(o.panningCamera);
    comment("outputSizeX, outputSizeY, padSizeX, padSizeY");
    out += std::to_string(o.outputSizeX) + "," + std::to_string(o.outputSizeY) + "," +
           std::to_string(o.padSizeX) + "," + std::to_string(o.padSizeY) + kLineEnd;
    return out;
}

}  // namespace render
