#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "rawsmith/image_readers.h"

namespace rawsmith {

bool ReadImage(std::span<const uint8_t> bytes, TrueColorImage& image, std::string& error) {
    if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] == '6')
        return ReadPpm(bytes, image, error);
    return ReadTarga(bytes, image, error);
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        error = std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    bytes.clear();
    uint8_t buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    if (std::ferror(file.get())) {
        error = "read error";
        return false;
    }
    return true;
}

}  // namespace rawsmith
