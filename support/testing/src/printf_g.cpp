#include "support/testing/printf_g.h"

#include <cstdio>
#include <cstring>

namespace support::testing {

std::string_view PrintfGTo(char* out, double value) {
    int length = std::snprintf(out, 64, "%g", value);
    // printf writes at least two exponent digits; the files carry three.
    char* e = static_cast<char*>(std::memchr(out, 'e', static_cast<size_t>(length)));
    if (e != nullptr && length - (e + 2 - out) < 3) {
        std::memmove(e + 3, e + 2, static_cast<size_t>(out + length - (e + 2)));
        e[2] = '0';
        ++length;
    }
    return {out, static_cast<size_t>(length)};
}

std::string PrintfG(double value) {
    char buffer[64];
    return std::string(PrintfGTo(buffer, value));
}

}  // namespace support::testing
