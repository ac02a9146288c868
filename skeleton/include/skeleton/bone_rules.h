#pragma once
// Which scene nodes are bones: the user's include/exclude rules matched against node names.
#include <string>
#include <string_view>
#include <vector>

namespace skeleton {

// Whether `text` matches `pattern`: '*' matches any run of characters (none too), '?' exactly
// one, anything else itself; without `caseSensitive`, A to Z and a to z are equal. An empty
// pattern matches only the empty text. Runs in time proportional to pattern times text length,
// however many stars the pattern holds.
bool MatchWildcard(std::string_view pattern, std::string_view text, bool caseSensitive);

// The rule test: each rule is '+' (include) or another character (exclude) followed by a
// wildcard, matched without regard to case; the last matching rule decides and a name that no
// rule matches is not a bone.
bool IsBoneName(const std::vector<std::string>& rules, std::string_view name);

}  // namespace skeleton
