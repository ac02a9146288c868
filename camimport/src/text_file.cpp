#include "camweave/text_file.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace camweave {

namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
}

LineReader::LineReader(const std::string& path) : LineReader(std::fopen(path.c_str(), "rb")) {}

LineReader::LineReader(std::FILE* file) : file_(file, &std::fclose), buffer_(kReadChunk) {}

bool LineReader::Refill() {
    if (!file_) return false;
    const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    if (got == 0 && std::ferror(file_.get())) failed_ = true;
    begin_ = 0;
    end_ = got;
    return got > 0;
}

bool LineReader::ReadLine(std::string& line, bool& hasLineEnd) {
    line.clear();
    hasLineEnd = false;
    bool readAny = false;
    for (;;) {
        if (begin_ == end_ && !Refill()) break;
        readAny = true;
        const char* start = buffer_.data() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        if (newline == nullptr) {
            line.append(start, end_ - begin_);
            begin_ = end_;
            continue;
        }
        line.append(start, static_cast<std::size_t>(newline - start));
        begin_ += static_cast<std::size_t>(newline - start) + 1;
        hasLineEnd = true;
        break;
    }
    if (hasLineEnd && !line.empty() && line.back() == '\r') line.pop_back();
    return readAny && !failed_;
}

TextWriter::TextWriter(const std::string& path) : TextWriter(std::fopen(path.c_str(), "wb")) {}

TextWriter::TextWriter(std::FILE* file) : file_(file), good_(file != nullptr) {}

TextWriter::~TextWriter() {
    if (file_ != nullptr) std::fclose(file_);
}

void TextWriter::Write(const std::string& text) {
    assert(file_ != nullptr);  // written after a failed open or after Close
    if (!good_ || text.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) good_ = false;
}

void TextWriter::WriteLine(const std::string& text) {
    Write(text);
    Write("\r\n");
}

bool TextWriter::Close() {
    if (file_ == nullptr) return false;
    // Buffered data may only fail to reach the disk here (a full disk reports at the flush).
    if (std::fflush(file_) != 0) good_ = false;
    if (std::fclose(file_) != 0) good_ = false;
    file_ = nullptr;
    return good_;
}

ReplacementFile::ReplacementFile(std::string target) : target_(std::move(target)) {
    // "x": created anew or not at all, so no file of the user's is ever written over.
    for (int attempt = 0; attempt < 100 && writer_ == nullptr; ++attempt) {
        temporary_ = target_ + ".new" + (attempt > 0 ? std::to_string(attempt) : "");
        if (std::FILE* file = std::fopen(temporary_.c_str(), "wbx")) {
            writer_ = std::make_unique<TextWriter>(file);
        } else if (errno != EEXIST) {
            break;
        }
    }
}

ReplacementFile::~ReplacementFile() {
    if (writer_ == nullptr) return;
    writer_->Close();
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
}

bool ReplacementFile::Close() {
    assert(IsOpen());
    return writer_->Close();
}

support::Status ReplacementFile::MoveOverTarget() {
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) return support::Status::Fail(ec.message());
    writer_.reset();
    return support::Status::Ok();
}

std::string NormalizeLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace camweave
