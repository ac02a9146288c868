#pragma once
// The rule editor: a bone name wildcard and whether it includes or excludes.
#include <hostsdk/ui.h>

#include <string>

namespace frame {

// Edits `rule` ('+' or '-' followed by the wildcard) in a modal dialog titled `title`; true and
// the new rule on OK, false and `rule` untouched on Cancel.
bool RunRuleEditor(std::string& rule, const std::string& title, WindowHandle parent);

intptr_t RuleEditorProc(WindowHandle dialog, unsigned message, WParam wp, LParam lp);

}  // namespace frame
