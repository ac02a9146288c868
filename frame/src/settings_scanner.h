#pragma once
// Reads the values of a settings file the way the C library's formatted input reads them with
// "%d\n", "%f\n" and "%[^\r\n]\n": a number is the longest prefix that forms one (so "12ab"
// reads 12 and leaves "ab" for the next value), a text is the rest of the line, and every read
// ends by skipping all white space, blank lines included. LF and CR LF files read alike.
// A read that fails leaves the position where it was: the input has stopped matching there.
#include <cstddef>
#include <string>
#include <string_view>

namespace frame {

class SettingsScanner {
  public:
    explicit SettingsScanner(std::string_view text) : text_(text) {}

    // "%d\n": false when no digits follow the optional sign, or the number does not fit an int.
    bool ReadInt(int& value);
    // "%f\n": a decimal or hexadecimal real, "inf" or "nan", as strtof reads them.
    bool ReadFloat(float& value);
    // "%[^\r\n]\n": the characters up to the next CR or LF; false when there are none (end of
    // the text) or when there are more than `maxLength` (then `tooLong` is set).
    bool ReadLine(std::string& line, std::size_t maxLength, bool& tooLong);

    // 1-based line number of the next value, for messages.
    int Line() const { return line_; }

  private:
    void SkipSpace();

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace frame
