#include "frame/text_output.h"

#include <cstdio>
#include <filesystem>

namespace frame {

TextFileWriter::~TextFileWriter() {
    if (file_) Discard();
}

bool TextFileWriter::Open(const std::string& path) {
    if (file_) Discard();
    path_ = path;
    file_ = std::fopen(path.c_str(), "wb");
    good_ = created_ = file_ != nullptr;
    // Exports write tens of megabytes in small pieces; a larger buffer saves system calls.
    if (file_) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    return good_;
}

void TextFileWriter::Write(const char* text, std::size_t length) {
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
    return good_;
}

void TextFileWriter::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    // Only a regular file is deleted: an export to a device leaves the device alone.
    std::error_code ignored;
    if (created_ && std::filesystem::is_regular_file(path_, ignored)) std::remove(path_.c_str());
    created_ = good_ = false;
}

}  // namespace frame
