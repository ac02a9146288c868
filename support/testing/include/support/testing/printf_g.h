#pragma once
// The reference that support::FormatG is checked against: the C library's "%g" with the
// exponent widened to three digits.
#include <string>
#include <string_view>

namespace support::testing {

// Written into `out`, which has room for 64 characters (no allocation: the full sweep of every
// float calls it four billion times).
std::string_view PrintfGTo(char* out, double value);
std::string PrintfG(double value);

}  // namespace support::testing
