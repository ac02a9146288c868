#include "skeleton/bone_rules.h"

#include "frame/export_settings.h"

namespace skeleton {

namespace {
char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool MatchWildcard(std::string_view pattern, std::string_view text, bool caseSensitive) {
    auto same = [caseSensitive](char p, char t) {
        return caseSensitive ? p == t : FoldCase(p) == FoldCase(t);
    };
    // Only the most recent star needs to be retried: a later star can absorb anything an
    // earlier one would, so backtracking to it alone gives the same answer as trying every
    // split, without the exponential cost.
    std::size_t p = 0, t = 0;
    std::size_t starAt = std::string_view::npos, retryText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            retryText = t;
        } else if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], text[t]))) {
            ++p;
            ++t;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            t = ++retryText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool IsBoneName(const std::vector<std::string>& rules, std::string_view name) {
    bool bone = false;
    for (const auto& rule : rules) {
        if (rule.empty()) continue;  // cannot come from the dialog or the settings file
        if (MatchWildcard(std::string_view(rule).substr(1), name, false)) bone = rule[0] == '+';
    }
    return bone;
}

}  // namespace skeleton
