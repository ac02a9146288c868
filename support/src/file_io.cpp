#include "support/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace support {

Result<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return Result<std::string>::Fail("is a folder");
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file)
        return Result<std::string>::Fail(std::string("cannot open: ") + std::strerror(errno));
    std::string bytes;
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (got > maxBytes - bytes.size())
            return Result<std::string>::Fail("larger than " + std::to_string(maxBytes) + " bytes");
        bytes.append(buffer, got);
    }
    if (std::ferror(file.get()))
        return Result<std::string>::Fail(std::string("read error: ") + std::strerror(errno));
    return bytes;
}

}  // namespace support
