#pragma once
// Reads the values of a settings file the way the format defines them: each value is followed
// by any amount of white space (so blank lines between values are skipped and a line loses its
// leading blanks), and a text line runs up to the next CR or LF. LF and CR LF files read alike.
#include <cstddef>
#include <string>
#include <string_view>

class SettingsScanner {
  public:
    explicit SettingsScanner(std::string_view text) : text_(text) { SkipSpace(); }

    // A whole number ending at white space or the end of the text.
    bool ReadInt(int& value);
    // A finite real number ending at white space or the end of the text.
    bool ReadFloat(float& value);
    // The rest of the line, at most `maxLength` characters; false at the end of the text or when
    // the line is longer (then `tooLong` is set).
    bool ReadLine(std::string& line, std::size_t maxLength, bool& tooLong);

    bool AtEnd() const { return pos_ >= text_.size(); }
    // 1-based line number of the next value, for messages.
    int Line() const { return line_; }

  private:
    void SkipSpace();
    std::string_view Token() const;

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};
