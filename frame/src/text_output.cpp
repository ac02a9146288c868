#include "frame/text_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cstdio>
#include <filesystem>

namespace frame {

TextFileWriter::~TextFileWriter() {
    if (file_) Discard();
}

bool TextFileWriter::Open(const std::string& path) {
    namespace fs = std::filesystem;
    if (file_) Discard();
    path_ = target_ = path;
    temporary_.clear();
    good_ = false;
    std::error_code ec;
    // A link is followed, so the link keeps pointing at the new text.
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) target_ = resolved.string();
    }
    const fs::file_status status = fs::status(target_, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        file_ = std::fopen(path.c_str(), "wb");
    } else {
        // A read-only file stays read-only: the rename would replace it otherwise.
        if (fs::exists(status) && ::access(target_.c_str(), W_OK) != 0) return false;
        temporary_ = target_ + "." + std::to_string(::getpid()) + ".part";
        const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0) {
            temporary_.clear();
            return false;
        }
        // The new file keeps the permissions of the one it replaces.
        if (fs::exists(status)) ::fchmod(fd, static_cast<mode_t>(status.permissions()));
        file_ = ::fdopen(fd, "wb");
        if (!file_) {
            ::close(fd);
            std::remove(temporary_.c_str());
            temporary_.clear();
        }
    }
    good_ = file_ != nullptr;
    // Exports write tens of megabytes in small pieces; a larger buffer saves system calls.
    if (file_) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    return good_;
}

void TextFileWriter::Write(const char* text, std::size_t length) {
    // Writing through a writer that is not open is the caller's mistake, not a write error.
    assert(file_ != nullptr);
    if (!file_ || !good_) return;
    if (std::fwrite(text, 1, length, file_) != length) good_ = false;
}

void TextFileWriter::WriteLine(const std::string& text) {
    Write(text);
    Write(kLineEnd, 2);
}

bool TextFileWriter::Close() {
    if (!file_) return false;
    if (std::fflush(file_) != 0 || std::ferror(file_)) good_ = false;
    if (std::fclose(file_) != 0) good_ = false;
    file_ = nullptr;
    if (!temporary_.empty()) {
        if (good_ && std::rename(temporary_.c_str(), target_.c_str()) != 0) good_ = false;
        if (!good_) std::remove(temporary_.c_str());
        temporary_.clear();
    }
    return good_;
}

bool TextFileWriter::Finish(bool exportOk) {
    if (exportOk) return Close();
    Discard();
    return false;
}

void TextFileWriter::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
    good_ = false;
}

}  // namespace frame
