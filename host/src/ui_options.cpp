#include "plughost/ui_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace plughost {

namespace {

using namespace dialog_ids;

UiAction Action(UiAction::Kind kind, int id, bool quiet = false) {
    UiAction a{kind, id, {}, {}, 0, false};
    a.quiet = quiet;
    return a;
}

UiAction Click(int id, bool quiet = false) {
    return Action(UiAction::Kind::Click, id, quiet);
}

UiAction Set(int id, const std::string& text) {
    UiAction a = Action(UiAction::Kind::Set, id);
    a.text = text;
    return a;
}

UiAction Check(int id, int value) {
    UiAction a = Action(UiAction::Kind::Check, id);
    a.value = value;
    return a;
}

UiAction Slider(int id, int position) {
    UiAction a = Action(UiAction::Kind::Slider, id);
    a.value = position;
    return a;
}

// Clears the rule list, then adds each rule through the rule editor.
void AddRuleActions(const std::string& rules, std::vector<UiAction>& actions) {
    // Selecting and removing an empty list is refused; that is expected, so say nothing.
    actions.push_back(Action(UiAction::Kind::SelectAll, kRuleList, true));
    actions.push_back(Click(kRemoveRule, true));
    size_t start = 0;
    while (start <= rules.size()) {
        size_t end = rules.find(',', start);
        if (end == std::string::npos) end = rules.size();
        std::string rule = rules.substr(start, end - start);
        start = end + 1;
        rule.erase(0, rule.find_first_not_of(" \t"));
        if (rule.empty()) continue;
        const bool exclude = rule[0] == '-';
        // A rule without a sign includes, as rules of old settings files do.
        const std::string wildcard = rule[0] == '+' || rule[0] == '-' ? rule.substr(1) : rule;
        actions.push_back(Click(kAddRule));
        // An untouched field keeps the editor's OK enabled: the sign alone is a valid rule.
        if (!wildcard.empty()) actions.push_back(Set(kRuleWildcard, wildcard));
        actions.push_back(Click(exclude ? kRuleExclude : kRuleInclude));
        actions.push_back(Click(kIdOk));
    }
}

bool ParseLong(const std::string& text, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= std::numeric_limits<int>::min() &&
           value <= std::numeric_limits<int>::max();
}

bool ParseDouble(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

}  // namespace

std::vector<UiAction> ExpandConvenienceOptions(const ConvenienceOptions& o) {
    std::vector<UiAction> actions;
    if (o.rules) AddRuleActions(*o.rules, actions);
    if (o.ignoreHidden) actions.push_back(Check(kIgnoreHidden, *o.ignoreHidden));
    if (o.scale) actions.push_back(Set(kScale, *o.scale));
    if (o.rotate180) actions.push_back(Check(kRotate180, *o.rotate180));
    if (o.textures) actions.push_back(Check(kTextures, *o.textures));
    if (o.node) actions.push_back(Set(kNodeName, *o.node));
    if (o.frames) {
        actions.push_back(Slider(kStartSlider, o.frames->first));
        actions.push_back(Slider(kEndSlider, o.frames->second));
    }
    return actions;
}

std::vector<UiAction> BuildUiActions(const ConvenienceOptions& options, const std::string& script) {
    std::vector<UiAction> actions = ExpandConvenienceOptions(options);
    if (!script.empty()) {
        std::vector<UiAction> own = ParseUiActions(script);
        actions.insert(actions.end(), own.begin(), own.end());
    }
    return actions;
}

bool ParseIntPair(const std::string& text, int& a, int& b) {
    const auto colon = text.find(':');
    long x, y;
    if (colon == std::string::npos || !ParseLong(text.substr(0, colon), x) ||
        !ParseLong(text.substr(colon + 1), y))
        return false;
    a = static_cast<int>(x);
    b = static_cast<int>(y);
    return true;
}

bool ParseNumberPair(const std::string& text, double& a, double& b) {
    const auto colon = text.find(':');
    return colon != std::string::npos && ParseDouble(text.substr(0, colon), a) &&
           ParseDouble(text.substr(colon + 1), b);
}

}  // namespace plughost
