#include "real_format.h"

#include <cstdio>

std::string FormatReal(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    std::string text = buffer;
    // The C library here writes two exponent digits; the system's files always carry three.
    const auto e = text.find('e');
    if (e == std::string::npos) return text;
    const std::size_t digits = e + 2;  // past the exponent's sign
    while (text.size() - digits < 3) text.insert(digits, 1, '0');
    return text;
}
