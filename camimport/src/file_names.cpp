#include "camweave/file_names.h"

#include "support/paths.h"

namespace camweave {

namespace {

bool HasExtension(const std::string& path) {
    return !support::SplitPath(path).extension.empty();
}

}  // namespace

RunFileNames DeriveFileNames(const std::string& lwsArgument, const std::string& lcArgument) {
    RunFileNames names;
    names.lws = HasExtension(lwsArgument) ? lwsArgument : lwsArgument + ".lws";
    if (lcArgument.empty()) {
        names.lc = support::ReplaceExtension(lwsArgument, ".lc");
    } else {
        names.lc = HasExtension(lcArgument) ? lcArgument : lcArgument + ".lc";
    }
    names.backup = support::ReplaceExtension(lwsArgument, ".bak");
    names.batch = support::ReplaceExtension(lwsArgument, "_rename_cameras.bat");
    return names;
}

}  // namespace camweave
