#pragma once

#include <cstddef>
#include <string>

namespace camweave {

// Reads a camera list the way the C library's scanf family reads a text stream: each conversion
// skips leading white space (except a scan set), a white-space directive skips any amount of
// white space including line ends, and an ordinary character must match exactly. The text has
// LF line ends (see NormalizeLineEnds).
class ListScanner {
  public:
    explicit ListScanner(std::string text) : text_(std::move(text)) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    // A white-space directive (" " or "\n" in a format): skips every white-space character.
    void SkipWhiteSpace();
    // "%d": skips white space, reads an optional sign and decimal digits.
    bool ScanInt(int& value);
    // "%f": skips white space, reads a decimal or hexadecimal real, "inf", "infinity" or "nan".
    bool ScanFloat(float& value);
    // An ordinary character of a format.
    bool Match(char c);
    // "%[^c]": reads one or more characters up to `stop` (line ends included).
    bool ScanUntil(char stop, std::string& value);
    // Reads characters up to and including the next LF; false at the end of the text.
    bool SkipLine();

  private:
    std::string text_;
    std::size_t pos_ = 0;
};

// Skips n lines; stops early at the end of the text. A count below 1 skips nothing.
void SkipLines(ListScanner& file, long long n);

}  // namespace camweave
