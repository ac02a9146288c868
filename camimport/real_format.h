#pragma once

#include <string>

// Formats a real as "%g" does, with an exponent of at least three digits (1e+006, 1e-005), the
// form every real in the system's text files takes.
std::string FormatReal(double value);
