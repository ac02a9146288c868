#pragma once
// Where plughost finds its plug-ins and keeps the plug-ins' settings.
#include <string>

namespace plughost {

// The option when given, else $PLUGHOST_PLUGINS, else the build's plug-in folder.
std::string ResolvePluginsDir(const std::string& option);
// The option when given, else $PLUGHOST_PLUGCFG, else ~/.config/plughost/plugcfg.
std::string ResolvePlugCfgDir(const std::string& option);
// Creates the folder and its parents when missing; false with the reason in `error`.
bool EnsureFolder(const std::string& folder, std::string& error);

}  // namespace plughost
