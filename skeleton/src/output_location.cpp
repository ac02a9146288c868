#include "skeleton/output_location.h"

#include "support/paths.h"

namespace skeleton {

OutputLocation SplitOutputLocation(std::string_view path) {
    const support::PathParts parts = support::SplitPath(path);
    return {parts.drive, parts.folder};
}

std::string OutputLocation::FilePath(std::string_view fileName) const {
    // A drive without a directory ("E:") takes the file name directly, as Windows joins them;
    // here the system's backslash is a '/', which both platforms accept.
    if (directory.empty()) return drive + std::string(fileName);
    return support::JoinPath(drive + directory, fileName);
}

OutputLocation& PoseOutputLocation() {
    static OutputLocation location;
    return location;
}

}  // namespace skeleton
