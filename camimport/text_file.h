#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Reads a text file one line at a time, byte for byte, whatever the line length. A line ends at
// LF; a CR just before that LF belongs to the line end, so LF and CR LF files read alike.
class LineReader {
  public:
    // Opens the file; IsOpen() tells whether that worked.
    explicit LineReader(const std::string& path);

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
    ~TextWriter();

    bool IsOpen() const { return file_ != nullptr; }
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

// Reads the whole file as it is. Returns false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

// Turns every CR LF into LF, as a text-mode read does; other bytes are kept.
std::string NormalizeLineEnds(const std::string& text);
