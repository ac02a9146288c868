#include "rawsmith/image_readers.h"
#include "support/file_io.h"

namespace rawsmith {

const char* const kReadableFormats =
    "Targa (24 or 32 bits, uncompressed or run-length encoded), binary PPM (P6) and PNG files";

ImageResult ReadImage(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return ImageResult::Fail("the file is empty");
    if (bytes.size() >= 4 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' &&
        bytes[3] == 'G') {
        return ReadPng(bytes);
    }
    if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] >= '0' && bytes[1] <= '9') {
        return ReadPpm(bytes);
    }
    // A Targa file has no signature, but its second byte says whether a colour map follows
    // (0 or 1); anything else there is not a Targa file.
    if (bytes.size() >= 2 && bytes[1] <= 1) return ReadTarga(bytes);
    return ImageResult::Fail(std::string("not an image rawsmith reads: it reads ") +
                             kReadableFormats);
}

ImageResult ReadImageFile(const std::string& path) {
    const support::Result<std::string> bytes = support::ReadWholeFile(path);
    if (!bytes) return ImageResult::Fail(bytes.error());
    return ReadImage(std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
}

}  // namespace rawsmith
