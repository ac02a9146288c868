#pragma once
// Reads a text the way the C library's formatted input reads a text-mode file, one conversion
// at a time, for the settings files the system reads with fscanf: "%d\n", "%f\n",
// "%[^\r\n]\n", "\"%[^\"]\"\n" and the line skip "%*[^\n]\n". A number is the longest prefix
// that forms one (so "12ab" reads 12 and leaves "ab"), and a trailing "\n" in a format skips all
// white space, blank lines included. A conversion that fails leaves the position where fscanf
// would leave it: leading white space passed over, the offending character next. LF and CR LF
// texts read alike.
#include <cstddef>
#include <string>
#include <string_view>

namespace support {

class ScanfReader {
  public:
    // Reads `text`, which must outlive the reader.
    explicit ScanfReader(std::string_view text) : text_(text) {}

    // "%d\n": false when no digits follow the optional sign, or the number does not fit an int.
    bool ReadInt(int& value);
    // "%f\n": a decimal or hexadecimal real, "inf" or "nan", as strtof reads them.
    bool ReadFloat(float& value);
    // "%[^\r\n]\n": the characters up to the next CR or LF; false when there are none (end of
    // the text) or when there are more than `maxLength` (then `tooLong` is set).
    bool ReadLine(std::string& line, std::size_t maxLength, bool& tooLong);
    // "\"%[^\"]\"\n": the characters between two double quotes, at least one and at most
    // `maxLength`. Fails before the first quote, or at the second quote when nothing lies
    // between (an empty text is no conversion), or at the closing quote's absence.
    bool ReadQuoted(std::string& text, std::size_t maxLength, bool& tooLong);
    // "%*[^\n]\n": passes over the rest of the current line and the white space after it;
    // false, consuming nothing, when the line has nothing left on it.
    bool SkipLine();
    // A literal character of a format (the commas of "%d,%d"); false when it is not next.
    bool Expect(char c);

    // 1-based line number of the next character, for messages.
    int Line() const { return line_; }
    bool AtEnd() const { return pos_ >= text_.size(); }

  private:
    void SkipSpace();

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace support
