#pragma once
// The command line's convenience options, expanded into the dialog actions a user would take
// in the export options dialog and the rule editor.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hostsdk/ui.h"

namespace plughost {

// Control ids of the export options dialog and the rule editor.
namespace dialog_ids {
inline constexpr int kRuleList = 1042;
inline constexpr int kAddRule = 1043;
inline constexpr int kRemoveRule = 1044;
inline constexpr int kRuleWildcard = 1047;
inline constexpr int kRuleInclude = 1016;
inline constexpr int kRuleExclude = 1017;
inline constexpr int kIgnoreHidden = 1010;
inline constexpr int kScale = 1011;
inline constexpr int kRotate180 = 1013;
inline constexpr int kTextures = 1014;
inline constexpr int kNodeName = 1017;
inline constexpr int kStartSlider = 1000;
inline constexpr int kEndSlider = 1002;
}  // namespace dialog_ids

struct ConvenienceOptions {
    std::optional<std::string> rules;  // "+A*,-*B": replaces the rule list
    std::optional<int> ignoreHidden;
    std::optional<std::string> scale;  // passed as typed: the dialog checks it
    std::optional<int> rotate180;
    std::optional<int> textures;
    std::optional<std::string> node;
    std::optional<std::pair<int, int>> frames;
};

// The actions, in this order: rules, ignore hidden, scale, rotation, textures, node, frames.
std::vector<UiAction> ExpandConvenienceOptions(const ConvenienceOptions& options);

// The convenience actions followed by the script's own; throws std::invalid_argument naming a
// faulty action of the script.
std::vector<UiAction> BuildUiActions(const ConvenienceOptions& options, const std::string& script);

// "A:B" as two integers; false when the text is not of that form.
bool ParseIntPair(const std::string& text, int& a, int& b);
// "A:B" as two numbers.
bool ParseNumberPair(const std::string& text, double& a, double& b);

}  // namespace plughost
