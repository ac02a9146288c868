#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "rawsmith/image_readers.h"

namespace rawsmith {
namespace {

using Bytes = support::Result<std::vector<uint8_t>>;

bool IsPpm(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] >= '0' && bytes[1] <= '9';
}

// The whole file in one buffer of its size (a byte more, so that the read finds the end without
// growing it): an image is read once and never copied on the way.
Bytes ReadFileBytes(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return Bytes::Fail("is a folder");
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) return Bytes::Fail(std::string("cannot open: ") + std::strerror(errno));
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    std::vector<uint8_t> bytes(ec ? std::size_t{1} << 16 : static_cast<std::size_t>(size) + 1);
    std::size_t have = 0;
    for (;;) {
        // Grows only for a file that grew since its size was taken.
        if (have == bytes.size()) bytes.resize(bytes.size() * 2);
        const std::size_t got = std::fread(bytes.data() + have, 1, bytes.size() - have, file.get());
        if (got == 0) break;
        have += got;
    }
    if (std::ferror(file.get())) {
        return Bytes::Fail(std::string("read error: ") + std::strerror(errno));
    }
    bytes.resize(have);
    return bytes;
}

}  // namespace

const char* const kReadableFormats =
    "Targa (24 or 32 bits, uncompressed or run-length encoded), binary PPM (P6) and PNG files";

ImageResult ReadImage(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return ImageResult::Fail("the file is empty");
    if (bytes.size() >= 4 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' &&
        bytes[3] == 'G') {
        return ReadPng(bytes);
    }
    if (IsPpm(bytes)) return ReadPpm(bytes);
    // A Targa file has no signature, but its second byte says whether a colour map follows
    // (0 or 1); anything else there is not a Targa file.
    if (bytes.size() >= 2 && bytes[1] <= 1) return ReadTarga(bytes);
    return ImageResult::Fail(std::string("not an image rawsmith reads: it reads ") +
                             kReadableFormats);
}

ImageResult ReadImageInPlace(std::vector<uint8_t>&& bytes) {
    if (IsPpm(bytes)) return ReadPpmInPlace(std::move(bytes));
    return ReadImage(std::span<const uint8_t>(bytes));
}

ImageResult ReadImageFile(const std::string& path) {
    Bytes bytes = ReadFileBytes(path);
    if (!bytes) return ImageResult::Fail(bytes.error());
    return ReadImageInPlace(std::move(*bytes));
}

}  // namespace rawsmith
