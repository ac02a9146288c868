#pragma once
// Writing rawsmith's outputs so that a failure never leaves a half-written file and never
// touches a file the program did not mean to replace.
#include <cstdint>
#include <span>
#include <string>

#include "support/result.h"

namespace rawsmith {

// One output: where it goes and what it holds.
struct OutputFile {
    std::string path;
    std::span<const uint8_t> bytes;
};

// Writes the files so that either all of them appear complete or none of them changes: each
// goes to a new temporary file beside it (never an existing file), is checked on write and
// close, and only then are they renamed into place. When a rename fails, the outputs already
// renamed are removed again, so no .raw stays without its .act.
support::Status WriteFiles(std::span<const OutputFile> files);

// Writes one file that way.
support::Status WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes);

// Whether the two paths name the same file: the same folder entry however spelled, a link to
// it, or another hard link of it. Paths that do not exist yet are compared by where they lead.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace rawsmith
