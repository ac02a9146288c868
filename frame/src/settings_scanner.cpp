#include "settings_scanner.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
}  // namespace

void SettingsScanner::SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }
}

std::string_view SettingsScanner::Token() const {
    std::size_t end = pos_;
    while (end < text_.size() && !IsSpace(text_[end])) ++end;
    return text_.substr(pos_, end - pos_);
}

bool SettingsScanner::ReadInt(int& value) {
    const std::string token(Token());
    if (token.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(token.c_str(), &end, 10);
    if (end != token.c_str() + token.size() || errno == ERANGE || parsed < INT_MIN ||
        parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    pos_ += token.size();
    SkipSpace();
    return true;
}

bool SettingsScanner::ReadFloat(float& value) {
    const std::string token(Token());
    if (token.empty()) return false;
    char* end = nullptr;
    const float parsed = std::strtof(token.c_str(), &end);
    if (end != token.c_str() + token.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    pos_ += token.size();
    SkipSpace();
    return true;
}

bool SettingsScanner::ReadLine(std::string& line, std::size_t maxLength, bool& tooLong) {
    tooLong = false;
    if (AtEnd()) return false;
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
    if (end - pos_ > maxLength) {
        tooLong = true;
        return false;
    }
    line.assign(text_.substr(pos_, end - pos_));
    pos_ = end;
    SkipSpace();
    return true;
}
