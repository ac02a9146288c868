#include "camweave/list_scanner.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace camweave {

namespace {

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Case-insensitive test for `word` at `pos`.
bool HasWordAt(const std::string& text, std::size_t pos, const char* word) {
    const std::size_t n = std::strlen(word);
    if (text.size() - pos < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) != word[i]) return false;
    }
    return true;
}

}  // namespace

void ListScanner::SkipWhiteSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
}

bool ListScanner::ScanInt(int& value) {
    SkipWhiteSpace();
    std::size_t p = pos_;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
    const std::size_t digits = p;
    while (p < text_.size() && IsDigit(text_[p])) ++p;
    if (p == digits) return false;
    errno = 0;
    const long long parsed = std::strtoll(text_.c_str() + pos_, nullptr, 10);
    // A number that does not fit an int is not a count or version anyone wrote: no conversion.
    if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
    value = static_cast<int>(parsed);
    pos_ = p;
    return true;
}

bool ListScanner::ScanFloat(float& value) {
    SkipWhiteSpace();
    std::size_t p = pos_;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
    bool complete = false;
    if (HasWordAt(text_, p, "infinity")) {
        p += 8;
        complete = true;
    } else if (HasWordAt(text_, p, "inf")) {
        p += 3;
        complete = true;
    } else if (HasWordAt(text_, p, "nan")) {
        p += 3;
        complete = true;
        if (p < text_.size() && text_[p] == '(') {
            std::size_t q = p + 1;
            while (q < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[q])) || text_[q] == '_')) {
                ++q;
            }
            if (q < text_.size() && text_[q] == ')') p = q + 1;
        }
    } else {
        const bool hex = text_.compare(p, 2, "0x") == 0 || text_.compare(p, 2, "0X") == 0;
        if (hex) p += 2;
        const auto isMantissaDigit = [hex](char c) { return hex ? IsHexDigit(c) : IsDigit(c); };
        std::size_t mantissaDigits = 0;
        while (p < text_.size() && isMantissaDigit(text_[p])) ++p, ++mantissaDigits;
        if (p < text_.size() && text_[p] == '.') {
            ++p;
            while (p < text_.size() && isMantissaDigit(text_[p])) ++p, ++mantissaDigits;
        }
        // "0x" without a digit after it is not a number: the conversion fails, as scanf's does.
        complete = mantissaDigits > 0;
        const char exponent = hex ? 'p' : 'e';
        if (mantissaDigits > 0 && p < text_.size() &&
            std::tolower(static_cast<unsigned char>(text_[p])) == exponent) {
            // The exponent mark is taken into the input item; without digits after it the
            // item is not a number and the conversion fails, as scanf's does.
            ++p;
            if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
            std::size_t exponentDigits = 0;
            while (p < text_.size() && IsDigit(text_[p])) ++p, ++exponentDigits;
            if (exponentDigits == 0) complete = false;
        }
    }
    if (!complete) {
        pos_ = p;
        return false;
    }
    value = std::strtof(std::string(text_, pos_, p - pos_).c_str(), nullptr);
    pos_ = p;
    return true;
}

bool ListScanner::Match(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
}

bool ListScanner::ScanUntil(char stop, std::string& value) {
    const std::size_t end = std::min(text_.find(stop, pos_), text_.size());
    if (end == pos_) return false;
    value.assign(text_, pos_, end - pos_);
    pos_ = end;
    return true;
}

bool ListScanner::SkipLine() {
    if (AtEnd()) return false;
    const std::size_t newline = text_.find('\n', pos_);
    pos_ = newline == std::string::npos ? text_.size() : newline + 1;
    return true;
}

void SkipLines(ListScanner& file, long long n) {
    for (long long i = 0; i < n; ++i) {
        if (!file.SkipLine()) return;
    }
}

}  // namespace camweave
