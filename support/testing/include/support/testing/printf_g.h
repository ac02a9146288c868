#pragma once
// The reference that support::FormatG is checked against: the C library's "%g" with the
// exponent widened to three digits.
#include <string>

namespace support::testing {

std::string PrintfG(double value);

}  // namespace support::testing
