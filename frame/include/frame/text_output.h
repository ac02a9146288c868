#pragma once
// Text output shared by the exporters and the settings files: Windows line ends (CR LF) on
// every platform and reals in the "%g" form with exponents of at least three digits.
#include <cstdio>
#include <string>

#include "support/format_g.h"

namespace frame {

// Line end of the system's text files.
inline constexpr const char* kLineEnd = "\r\n";

// A text file written in binary mode so that line ends are exactly what is written. Writes go
// through a buffer; each write and the close are checked, and after a failure Good() stays
// false. The text goes to a temporary file beside the target, which Close renames over the
// target once everything was written: the target is replaced whole or not at all, and a failed
// or cancelled export leaves an earlier file of that name as it was. A target that is not a
// regular file (a device such as /dev/null) is written directly. A writer destroyed while still
// open discards what it wrote.
class TextFileWriter {
  public:
    TextFileWriter() = default;
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Starts the file; false when it cannot be written (a missing folder, a read-only target).
    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }

    void Write(const char* text, std::size_t length);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    // `text` followed by CR LF.
    void WriteLine(const std::string& text);
    bool Good() const { return good_; }

    // Flushes, closes and puts the file in place; true when every write, the close and the
    // rename succeeded. After a failure nothing of this writer is left on disk.
    bool Close();
    // Closes and deletes what was written; the target stays as it was.
    void Discard();
    // The end of an export: Close when the export went well, Discard when it did not; true
    // when the file is in place.
    bool Finish(bool exportOk);

  private:
    std::FILE* file_ = nullptr;
    std::string path_;       // as given
    std::string target_;     // the file to replace (a link's destination)
    std::string temporary_;  // where the text goes first; empty when written directly
    bool good_ = false;
};

}  // namespace frame
