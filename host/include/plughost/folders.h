#pragma once
// Where plughost finds its plug-ins and keeps the plug-ins' settings.
#include <initializer_list>
#include <string>

namespace plughost {

// The option when given, else $PLUGHOST_PLUGINS, else the build's plug-in folder.
std::string ResolvePluginsDir(const std::string& option);
// The option when given, else $PLUGHOST_PLUGCFG, else ~/.config/plughost/plugcfg.
std::string ResolvePlugCfgDir(const std::string& option);
// The first of `beside` (paths under the folder that holds the program's bin/ folder) that is a
// folder, else `fallback`: a build keeps bin/ beside its plugins/ and lib/, an installed tree
// under its lib/, and looking beside the program keeps a moved build or installation working.
std::string FolderBesideProgram(std::initializer_list<const char*> beside,
                                const std::string& fallback);
// Creates the folder and its parents when missing; false with the reason in `error`.
bool EnsureFolder(const std::string& folder, std::string& error);

}  // namespace plughost
