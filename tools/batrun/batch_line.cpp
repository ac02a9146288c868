#include "batch_line.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
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

bool SameWord(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
