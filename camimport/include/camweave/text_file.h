#pragma once

#include <cassert>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/result.h"

namespace camweave {

// Reads a text file one line at a time, byte for byte, whatever the line length. A line ends at
// LF; a CR just before that LF belongs to the line end, so LF and CR LF files read alike.
class LineReader {
  public:
    // Opens the file; IsOpen() tells whether that worked.
    explicit LineReader(const std::string& path);
    // Reads from a stream that is already open, and closes it at the end.
    explicit LineReader(std::FILE* file);

    bool IsOpen() const { return file_ != nullptr; }
    // Fills `line` with the next line without its line end. `hasLineEnd` is false for a last line
    // that ends at the end of the file. Returns false at the end of the file or on a read error.
    bool ReadLine(std::string& line, bool& hasLineEnd);
    // True when reading stopped on an error rather than at the end of the file.
    bool Failed() const { return failed_; }

  private:
    bool Refill();

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0, end_ = 0;
    bool failed_ = false;
};

// Writes a text file in binary mode, so that every line end is exactly what is written ("\r\n").
// Each write and the close are checked; after a failure Good() stays false.
class TextWriter {
  public:
    // Creates or truncates the file; IsOpen() tells whether that worked.
    explicit TextWriter(const std::string& path);
    // Writes to a stream that is already open, and closes it in Close().
    explicit TextWriter(std::FILE* file);
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // Writes the text; the writer must be open. After a failed write the rest is skipped.
    void Write(const std::string& text);
    // Writes the text followed by CR LF.
    void WriteLine(const std::string& text);
    // Flushes and closes; returns false when any write or the close failed.
    bool Close();
    bool Good() const { return good_; }

  private:
    std::FILE* file_ = nullptr;
    bool good_ = true;
};

// A text file written under a name of its own in the target's folder and renamed over the target
// only once it is complete, so that a failed or interrupted write never leaves a partial target
// nor harms an earlier one. The temporary file goes with the object unless committed.
class ReplacementFile {
  public:
    // Creates the temporary file beside `target`, never over an existing file.
    explicit ReplacementFile(std::string target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool IsOpen() const { return writer_ != nullptr; }
    TextWriter& Writer() {
        assert(IsOpen());
        return *writer_;
    }
    // Closes the temporary file; false when a write or the close failed.
    bool Close();
    // Moves the closed temporary file over the target; fails with the system's reason.
    support::Status MoveOverTarget();

  private:
    std::string target_, temporary_;
    std::unique_ptr<TextWriter> writer_;
};

// Turns every CR LF into LF, as a text-mode read does; other bytes are kept.
std::string NormalizeLineEnds(const std::string& text);

}  // namespace camweave
