#include "support/scanf_reader.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace support {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A real number is never longer than this in a settings file; strtof gets a copy this long.
constexpr std::size_t kMaxNumberText = 128;

}  // namespace

void ScanfReader::SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }
}

bool ScanfReader::ReadInt(int& value) {
    SkipSpace();
    std::size_t end = pos_;
    if (end < text_.size() && (text_[end] == '+' || text_[end] == '-')) ++end;
    const std::size_t digits = end;
    while (end < text_.size() && IsDigit(text_[end])) ++end;
    if (end == digits) return false;
    const std::string number(text_.substr(pos_, end - pos_));
    errno = 0;
    const long long parsed = std::strtoll(number.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
    value = static_cast<int>(parsed);
    pos_ = end;
    SkipSpace();
    return true;
}

bool ScanfReader::ReadFloat(float& value) {
    SkipSpace();
    std::size_t end = pos_;
    while (end < text_.size() && !IsSpace(text_[end]) && end - pos_ < kMaxNumberText) ++end;
    const std::string candidate(text_.substr(pos_, end - pos_));
    char* stop = nullptr;
    const float parsed = std::strtof(candidate.c_str(), &stop);
    if (stop == candidate.c_str()) return false;
    value = parsed;
    pos_ += static_cast<std::size_t>(stop - candidate.c_str());
    SkipSpace();
    return true;
}

bool ScanfReader::ReadLine(std::string& line, std::size_t maxLength, bool& tooLong) {
    tooLong = false;
    SkipSpace();
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
    if (end == pos_) return false;
    if (end - pos_ > maxLength) {
        tooLong = true;
        return false;
    }
    line.assign(text_.substr(pos_, end - pos_));
    pos_ = end;
    SkipSpace();
    return true;
}

bool ScanfReader::ReadQuoted(std::string& text, std::size_t maxLength, bool& tooLong) {
    tooLong = false;
    if (pos_ >= text_.size() || text_[pos_] != '"') return false;
    ++pos_;
    const std::size_t close = text_.find('"', pos_);
    const std::size_t end = close == std::string_view::npos ? text_.size() : close;
    for (std::size_t i = pos_; i < end; ++i)
        if (text_[i] == '\n') ++line_;
    if (end == pos_) return false;  // nothing between the quotes: the conversion fails here
    if (end - pos_ > maxLength) {
        tooLong = true;
        return false;
    }
    text.assign(text_.substr(pos_, end - pos_));
    pos_ = end;
    if (close == std::string_view::npos) return false;
    ++pos_;
    SkipSpace();
    return true;
}

bool ScanfReader::SkipLine() {
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\n') ++end;
    if (end == pos_) return false;
    pos_ = end;
    SkipSpace();
    return true;
}

bool ScanfReader::Expect(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    if (c == '\n') ++line_;
    ++pos_;
    return true;
}

}  // namespace support
