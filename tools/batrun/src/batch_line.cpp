#include "batrun/batch_line.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "support/ascii.h"

namespace batrun {

namespace {

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string TrimLeft(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin])) ++begin;
    return text.substr(begin);
}

// The first word of a command line: "echo.", "echo", "ren" or a program name; the command ends
// at white space, or at '.' right after echo (echo. prints an empty line).
std::size_t CommandLength(const std::string& line) {
    std::size_t end = 0;
    while (end < line.size() && !IsSpace(line[end]) && line[end] != '.') ++end;
    if (end < line.size() && line[end] == '.' &&
        !support::EqualIgnoringCase(line.substr(0, end), "echo")) {
        while (end < line.size() && !IsSpace(line[end])) ++end;
    }
    return end;
}

std::vector<std::string> Split(const std::string& text, std::string_view separators) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (IsSpace(c) || separators.find(c) != std::string_view::npos)) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

}  // namespace

BatchLine ParseBatchLine(const std::string& rawLine, const std::vector<std::string>& parameters) {
    BatchLine line;
    line.text = TrimLeft(ExpandVariables(rawLine, parameters));
    while (!line.text.empty() && line.text[0] == '@') {
        line.quiet = true;
        line.text = TrimLeft(line.text.substr(1));
    }
    if (line.text.empty() || line.text[0] == ':') return line;  // blank lines and labels
    const std::size_t length = CommandLength(line.text);
    line.command = line.text.substr(0, length);
    line.rest = line.text.substr(length);
    return line;
}

std::vector<std::string> SplitWords(const std::string& text) {
    return Split(text, "");
}

std::vector<std::string> SplitCommandWords(const std::string& text) {
    return Split(text, ",;=");
}

std::size_t FindOperator(const std::string& text) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (!quoted && std::string_view("&|<>").find(text[i]) != std::string_view::npos) return i;
    }
    return std::string::npos;
}

std::string HostPath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string ExpandVariables(const std::string& line, const std::vector<std::string>& parameters) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '%' || i + 1 >= line.size()) {
            out += line[i];
            continue;
        }
        const char next = line[i + 1];
        if (next == '%') {
            out += '%';
            ++i;
        } else if (next >= '0' && next <= '9') {
            const auto index = static_cast<std::size_t>(next - '0');
            if (index < parameters.size()) out += parameters[index];
            ++i;
        } else if (const auto close = line.find('%', i + 1); close != std::string::npos) {
            const char* value = std::getenv(line.substr(i + 1, close - i - 1).c_str());
            if (value != nullptr) out += value;
            i = close;
        } else {
            out += '%';
        }
    }
    return out;
}

}  // namespace batrun
