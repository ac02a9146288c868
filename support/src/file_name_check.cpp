#include "support/file_name_check.h"

#include <array>
#include <cstdio>

namespace support {

namespace {

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7f;
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameUpper(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Upper(text[i]) != upper[i]) return false;
    }
    return true;
}

// Windows opens a device for these names, whatever extension follows them.
bool IsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
        if (SameUpper(stem, device)) return true;
    }
    if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9') {
        return SameUpper(stem.substr(0, 3), "COM") || SameUpper(stem.substr(0, 3), "LPT");
    }
    return false;
}

}  // namespace

Status CheckFileName(std::string_view name) {
    if (name.empty()) return Status::Fail("it is empty");
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r') return Status::Fail("it holds a line break");
        if (IsControl(byte)) return Status::Fail("it holds a control character");
        if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            return Status::Fail(std::string("it holds the character ") + c);
        }
    }
    if (name == "." || name == "..") return Status::Fail("it is \"" + std::string(name) + "\"");
    if (name.back() == '.') return Status::Fail("it ends in a dot");
    if (name.back() == ' ') return Status::Fail("it ends in a blank");
    if (IsDeviceName(name)) return Status::Fail("it is the name of a device");
    return Status::Ok();
}

std::string QuoteForMessage(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (c == '\\') {
            quoted += "\\\\";
        } else if (IsControl(byte)) {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02X", byte);
            quoted += hex.data();
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace support
