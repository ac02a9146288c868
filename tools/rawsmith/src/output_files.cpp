#include "rawsmith/output_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace rawsmith {
namespace {

std::string TemporaryPath(const std::string& path) {
    return path + ".part";
}

bool WriteWhole(const std::string& path, std::span<const uint8_t> bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = path + ": cannot create: " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = path + ": write error";
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
    const std::size_t separator = path.find_last_of("\\/");
    std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    if (nameStart == 0 && path.size() >= 2 && path[1] == ':') nameStart = 2;  // C:name.tga
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) return path + extension;
    return path.substr(0, dot) + extension;
}

bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes,
                        std::string& error) {
    const std::string temporary = TemporaryPath(path);
    if (!WriteWhole(temporary, bytes, error)) return false;
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": cannot replace: " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool WriteFilePair(const std::string& firstPath, std::span<const uint8_t> first,
                   const std::string& secondPath, std::span<const uint8_t> second,
                   std::string& error) {
    const std::string firstTemporary = TemporaryPath(firstPath);
    const std::string secondTemporary = TemporaryPath(secondPath);
    if (!WriteWhole(firstTemporary, first, error)) return false;
    if (!WriteWhole(secondTemporary, second, error)) {
        std::remove(firstTemporary.c_str());
        return false;
    }
    if (std::rename(firstTemporary.c_str(), firstPath.c_str()) != 0) {
        error = firstPath + ": cannot replace: " + std::strerror(errno);
        std::remove(firstTemporary.c_str());
        std::remove(secondTemporary.c_str());
        return false;
    }
    if (std::rename(secondTemporary.c_str(), secondPath.c_str()) != 0) {
        error = secondPath + ": cannot replace: " + std::strerror(errno);
        std::remove(firstPath.c_str());  // a .raw without its .act is of no use
        std::remove(secondTemporary.c_str());
        return false;
    }
    return true;
}

}  // namespace rawsmith
