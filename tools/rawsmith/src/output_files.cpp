#include "rawsmith/output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace rawsmith {
namespace {

using support::Result;
using support::Status;

std::string Reason() {
    return std::strerror(errno);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a temporary file beside `path` and writes `bytes` to it; returns its name. The file
// is created new (O_EXCL), so an existing file of that name, which may be the input or a
// leftover of an earlier crash, is never written into: the name then gets a number.
Result<std::string> WriteTemporary(const std::string& path, std::span<const uint8_t> bytes) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Built by appending: GCC 12 at -O3 gives a false -Wrestrict on "." + std::to_string().
        std::string temporary = path;
        if (attempt > 0) temporary.append(".").append(std::to_string(attempt));
        temporary.append(".part");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return Result<std::string>::Fail(path + ": cannot create: " + Reason());
        const bool written = WriteAll(fd, bytes);
        std::string reason = written ? "" : Reason();
        if (::close(fd) != 0 && written) reason = Reason();
        if (!written || !reason.empty()) {
            ::unlink(temporary.c_str());
            return Result<std::string>::Fail(path + ": write error: " + reason);
        }
        return temporary;
    }
    return Result<std::string>::Fail(path + ": cannot create a temporary file beside it");
}

}  // namespace

Status WriteFiles(std::span<const OutputFile> files) {
    std::vector<std::string> temporaries;
    for (const OutputFile& file : files) {
        Result<std::string> temporary = WriteTemporary(file.path, file.bytes);
        if (!temporary) {
            for (const std::string& written : temporaries) ::unlink(written.c_str());
            return Status::Fail(temporary.error());
        }
        temporaries.push_back(*temporary);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::rename(temporaries[i].c_str(), files[i].path.c_str()) == 0) continue;
        const std::string error = files[i].path + ": cannot replace: " + Reason();
        // A .raw without its .act (or the other way round) is of no use to anyone.
        for (std::size_t done = 0; done < i; ++done) ::unlink(files[done].path.c_str());
        for (std::size_t left = i; left < files.size(); ++left) ::unlink(temporaries[left].c_str());
        return Status::Fail(error);
    }
    return Status::Ok();
}

Status WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes) {
    const OutputFile file{path, bytes};
    return WriteFiles(std::span(&file, 1));
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    std::error_code ecA, ecB;
    const auto placeA = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ecA), ecA);
    const auto placeB = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ecB), ecB);
    return !ecA && !ecB && placeA == placeB;
}

}  // namespace rawsmith
