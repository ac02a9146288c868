#include "support/batch_argument.h"

#include <cassert>
#include <string_view>

namespace support {

std::string BatchArgument(const std::string& text) {
    assert(text.find('"') == std::string::npos);
    std::string escaped;
    bool quote = false;
    for (const char c : text) {
        // Percent signs are expanded before quotes are looked at, so quotes do not protect them.
        escaped += c == '%' ? "%%" : std::string(1, c);
        if (std::string_view(" \t&|<>^(),;=").find(c) != std::string_view::npos) quote = true;
    }
    return quote ? "\"" + escaped + "\"" : escaped;
}

}  // namespace support
