#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace rawsmith {

// The path with its file name's extension replaced by `extension` (which carries the dot), or
// with `extension` appended when the name has none. Both '\' and '/' separate folders.
std::string ReplaceExtension(const std::string& path, const std::string& extension);

// Writes one file through a temporary file beside it, renamed into place once complete.
bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes,
                        std::string& error);

// Writes two files so that either both appear complete or neither changes: each goes to a
// temporary file beside it, is checked on write and close, and is then renamed into place.
bool WriteFilePair(const std::string& firstPath, std::span<const uint8_t> first,
                   const std::string& secondPath, std::span<const uint8_t> second,
                   std::string& error);

}  // namespace rawsmith
