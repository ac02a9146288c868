#pragma once
// Paths as the system writes them: folders are separated by '\' or '/', a path may begin with a
// drive letter ("C:"), and where a folder and a file name are joined the separator is '/' here
// (both platforms accept it), unless the folder already ends in one.
#include <string>
#include <string_view>

namespace support {

bool IsPathSeparator(char c);
// Whether `path` begins with a letter and a colon.
bool HasDrive(std::string_view path);

// A path split as the Windows C library splits it: "C:" drive, folder with its trailing
// separator, base name, and extension with its dot (from the last dot of the file name).
struct PathParts {
    std::string drive, folder, base, extension;
};
PathParts SplitPath(std::string_view path);

// `folder` and `file` joined with '/', unless the folder is empty or already ends in '/' or '\'.
std::string JoinPath(std::string_view folder, std::string_view file);
// Drive and folder of `path`, with the folder's trailing separator ("C:" alone for "C:name");
// empty for a bare file name.
std::string DriveAndFolder(std::string_view path);
// The file name: everything after the drive and the last separator.
std::string FileName(std::string_view path);
// The file name without its folder and without its extension.
std::string BaseName(std::string_view path);
// `path` with its extension (if any) replaced by `extension`, which carries its own dot.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

}  // namespace support
