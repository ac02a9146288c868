#include "rawsmith/rawsmith_app.h"

#include <cctype>

#include "rawsmith/output_files.h"
#include "rawsmith/palette_preview.h"
#include "support/paths.h"

namespace rawsmith {
namespace {

constexpr const char* kUsage =
    "Usage: rawsmith [/q] [/p] [/m] FILE.tga\n"
    "  or:  rawsmith [/q] [/p] [/m] --png OUT.png FILE\n"
    "  or:  rawsmith --help | --version\n"
    "\n"
    "Reduces an image to 256 colours and writes FILE.raw (one palette index per pixel, top row\n"
    "first) and FILE.act (256 entries of red, green, blue) beside FILE. FILE may be a Targa\n"
    "file (24 or 32 bits, uncompressed or run-length encoded), a binary PPM (P6) or a PNG file.\n"
    "\n"
    "  /q             quiet: print nothing on success\n"
    "  /p             preview: build the palette from a quarter of the pixels\n"
    "  /m             preview: split colour boxes at their means only, without reassignment\n"
    "  --png OUT.png  also write OUT.png, the palette image as the game will show it\n"
    "  --help         print this text and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 the image cannot be read or an output cannot be written (then no\n"
    "output changes); 2 a usage error.\n";

constexpr const char* kVersionText = "rawsmith " ASSETPIPE_VERSION "\n";

enum class Action { kConvert, kHelp, kVersion };

struct CommandLine {
    Action action = Action::kConvert;
    ConvertOptions options;
    std::string input;
    std::string preview;  // --png: where the preview goes; empty: none
};

bool IsSwitch(const std::string& arg, char letter) {
    return arg.size() == 2 && arg[0] == '/' &&
           std::tolower(static_cast<unsigned char>(arg[1])) == letter;
}

// A usage error fails with a message, or with none when the usage text says enough.
support::Result<CommandLine> ParseCommandLine(const std::vector<std::string>& args) {
    using Parsed = support::Result<CommandLine>;
    CommandLine line;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "--version") {
            line.action = arg == "--help" ? Action::kHelp : Action::kVersion;
            return line;
        }
        if (arg == "--png") {
            if (i + 1 == args.size()) return Parsed::Fail("--png needs the name of the PNG file");
            if (!line.preview.empty()) return Parsed::Fail("--png given twice");
            line.preview = args[++i];
        } else if (arg.rfind("--", 0) == 0) {
            return Parsed::Fail("unknown option " + arg);
        } else if (IsSwitch(arg, 'q')) {
            line.options.quiet = true;
        } else if (IsSwitch(arg, 'p')) {
            line.options.samplePalette = true;
        } else if (IsSwitch(arg, 'm')) {
            line.options.meanSplitsOnly = true;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) return Parsed::Fail("");
    line.input = files.front();
    return line;
}

int Fail(std::ostream& err, const std::string& path, const std::string& what) {
    err << "rawsmith: error: " << path << ": " << what << "\n";
    return 1;
}

int Convert(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const std::string& input = line.input;
    const std::string rawPath = support::ReplaceExtension(input, ".raw");
    const std::string actPath = support::ReplaceExtension(input, ".act");
    // The outputs are renamed over whatever has their names: never over the input.
    for (const std::string& output : {rawPath, actPath, line.preview}) {
        if (!output.empty() && SameFile(output, input)) {
            return Fail(err, input,
                        "the output " + output + " would replace the input; rename the image");
        }
    }
    if (!line.preview.empty() &&
        (SameFile(line.preview, rawPath) || SameFile(line.preview, actPath))) {
        err << "rawsmith: --png " << line.preview << " names an output of the palette image\n";
        return 2;
    }

    ImageResult image = ReadImageFile(input);
    if (!image) return Fail(err, input, image.error());

    std::vector<uint8_t> indices;
    std::array<uint8_t, 768> palette{};
    std::string error;
    if (!ConvertImage(*image, line.options, indices, palette, error)) {
        return Fail(err, input, error);
    }

    std::vector<OutputFile> outputs = {{rawPath, indices}, {actPath, palette}};
    support::Result<std::vector<uint8_t>> preview = std::vector<uint8_t>();
    if (!line.preview.empty()) {
        preview = PalettePreviewPng(indices, palette, image->width, image->height);
        if (!preview) return Fail(err, line.preview, preview.error());
        outputs.push_back({line.preview, *preview});
    }
    if (const support::Status written = WriteFiles(outputs); !written) {
        err << "rawsmith: error: " << written.error() << "\n";
        return 1;
    }
    if (!line.options.quiet) {
        out << rawPath << ": " << image->width << " x " << image->height << " palette indices\n";
        out << actPath << ": 256 colours\n";
        if (!line.preview.empty()) out << line.preview << ": preview of the palette image\n";
    }
    return 0;
}

}  // namespace

int RunRawsmith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const support::Result<CommandLine> line = ParseCommandLine(args);
    if (!line) {
        if (!line.error().empty()) err << "rawsmith: " << line.error() << "\n";
        err << kUsage;
        return 2;
    }
    int status = 0;
    switch (line->action) {
        case Action::kHelp:
            out << kUsage;
            break;
        case Action::kVersion:
            out << kVersionText;
            break;
        case Action::kConvert:
            status = Convert(*line, out, err);
            break;
    }
    // A full disk or a closed pipe on standard output is a failure like any other.
    out.flush();
    if (!out) {
        err << "rawsmith: error: cannot write to standard output\n";
        return status == 0 ? 1 : status;
    }
    return status;
}

}  // namespace rawsmith
