#include "support/testing/printf_g.h"

#include <cstdio>

namespace support::testing {

std::string PrintfG(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    std::string text = buffer;
    const auto e = text.find('e');
    if (e != std::string::npos)
        while (text.size() - (e + 2) < 3) text.insert(e + 2, 1, '0');
    return text;
}

}  // namespace support::testing
