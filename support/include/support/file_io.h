#pragma once
// Whole-file reading for inputs from outside the program.
#include <cstddef>
#include <limits>
#include <string>

#include "support/result.h"

namespace support {

// The bytes of the file at `path`. Fails with the reason ("cannot open: No such file or
// directory", "is a folder", "read error: ...", "larger than N bytes") when the file cannot be
// read whole or holds more than `maxBytes`.
Result<std::string> ReadWholeFile(const std::string& path,
                                  std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

}  // namespace support
