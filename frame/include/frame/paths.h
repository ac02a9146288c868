#pragma once
// Path helpers: folders are split on both '\' and '/', and a leading drive letter is kept.
#include <string>

// `folder` and `file` joined with '/', unless the folder already ends in '/' or '\'. An empty
// folder gives the file name alone.
std::string JoinPath(const std::string& folder, const std::string& file);

// The drive and directory of `path` (everything up to and including its last '\' or '/', or the
// drive "C:" alone), empty for a bare file name.
std::string DriveAndDirectory(const std::string& path);
