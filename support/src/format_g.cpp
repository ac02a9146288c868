#include "support/format_g.h"

#include <cassert>
#include <charconv>
#include <cstring>

namespace support {

char* FormatGTo(char* out, double value) {
    // std::to_chars with a precision is defined as printf's conversion in the "C" locale, so
    // this is "%g" to the byte, without printf's format parsing and locale lookups.
    const std::to_chars_result r =
        std::to_chars(out, out + kFormatGMaxLength, value, std::chars_format::general, 6);
    assert(r.ec == std::errc());
    char* end = r.ptr;
    char* e = static_cast<char*>(std::memchr(out, 'e', static_cast<std::size_t>(end - out)));
    if (e == nullptr) return end;
    // The exponent has at least two digits here; the system's files carry three.
    char* digits = e + 2;  // past 'e' and the sign
    const std::ptrdiff_t count = end - digits;
    if (count >= 3) return end;
    const std::ptrdiff_t pad = 3 - count;
    std::memmove(digits + pad, digits, static_cast<std::size_t>(count));
    std::memset(digits, '0', static_cast<std::size_t>(pad));
    return end + pad;
}

void AppendG(std::string& out, double value) {
    char buffer[kFormatGMaxLength];
    out.append(buffer, FormatGTo(buffer, value));
}

std::string FormatG(double value) {
    std::string out;
    AppendG(out, value);
    return out;
}

}  // namespace support
