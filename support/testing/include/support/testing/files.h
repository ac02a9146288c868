#pragma once
// File contents in tests. Reads of a missing file give empty contents; a write that fails fails
// the calling test.
#include <cstdint>
#include <string>
#include <vector>

namespace support::testing {

std::string ReadFile(const std::string& path);
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// The lines of a text split at LF, a CR before the LF removed; no empty last line for a text
// that ends in a line end.
std::vector<std::string> Lines(const std::string& text);
// The file split at CR LF; a line end that is not CR LF fails the calling test.
std::vector<std::string> ReadCrLfLines(const std::string& path);

}  // namespace support::testing
