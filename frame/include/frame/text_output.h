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
// false. A file that is destroyed while still open is closed and removed.
class TextFileWriter {
  public:
    TextFileWriter() = default;
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Creates or truncates the file; false when it cannot be created.
    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }

    void Write(const char* text, std::size_t length);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    // `text` followed by CR LF.
    void WriteLine(const std::string& text);
    bool Good() const { return good_; }

    // Flushes and closes; true when every write and the close succeeded.
    bool Close();
    // Closes and deletes the file (an export that failed leaves nothing behind).
    void Discard();

  private:
    std::FILE* file_ = nullptr;
    std::string path_;
    bool created_ = false;  // this writer made the file, so it may delete it
    bool good_ = false;
};

}  // namespace frame
