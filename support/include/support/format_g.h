#pragma once
// Reals as the system's text files write them: the C library's "%g" (six significant digits,
// trailing zeros dropped), with the exponent widened to at least three digits as the Windows C
// library writes it: 1e+06 becomes 1e+006, 1.5e-05 becomes 1.5e-005.
#include <cstddef>
#include <string>

namespace support {

// Longest text FormatGTo writes ("-1.17549e-038", "-nan", ...), with room to spare.
inline constexpr std::size_t kFormatGMaxLength = 24;

// Writes the text of `value` at `out`, which has room for kFormatGMaxLength characters (all of
// which it may use as scratch), and returns the end of the text (no terminator).
char* FormatGTo(char* out, double value);
// The same for a float, as the files' numbers are.
char* FormatFloatGTo(char* out, float value);
// Appends the text of `value` to `out`.
void AppendG(std::string& out, double value);
std::string FormatG(double value);

}  // namespace support
