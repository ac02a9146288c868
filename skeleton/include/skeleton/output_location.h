#pragma once
// Where a Pose export writes: the drive and directory of the .POS path, kept process-wide from
// the start of each export for the options dialog and the texture files.
#include <string>
#include <string_view>

namespace skeleton {

struct OutputLocation {
    std::string drive;      // "C:" or empty
    std::string directory;  // up to and including the last '\' or '/', or empty

    // Drive and directory together, as the options dialog shows them.
    std::string Folder() const { return drive + directory; }
    // `fileName` in this location: after the drive, and after the directory with a separator
    // added when it does not end in one.
    std::string FilePath(std::string_view fileName) const;
};

// The drive and directory of `path`; both empty for a bare file name.
OutputLocation SplitOutputLocation(std::string_view path);

// The location of the export under way (or the last one).
OutputLocation& PoseOutputLocation();

}  // namespace skeleton
