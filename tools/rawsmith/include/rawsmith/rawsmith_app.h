#pragma once
// rawsmith: the image converter. An image in, its 256-colour palette image (.raw indices and
// .act palette) out, beside it.
#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "rawsmith/image_readers.h"

namespace rawsmith {

// How the palette image is made.
struct ConvertOptions {
    bool quiet = false;           // /q: no lines on standard output
    bool samplePalette = false;   // /p: palette from every second pixel of every second row
    bool meanSplitsOnly = false;  // /m: boxes split at their means, no reassignment pass
};

// Quantizes the image with the project's quantizer. Without preview options the result is
// exactly that of QuantizeImage. On failure `error` holds the quantizer's texts.
bool ConvertImage(const TrueColorImage& image, const ConvertOptions& options,
                  std::vector<uint8_t>& indices, std::array<uint8_t, 768>& palette,
                  std::string& error);

// The whole command line, arguments without the program name. Exit status 0 on success, 1
// for an input or output failure (standard output included), 2 for a usage error.
int RunRawsmith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rawsmith
