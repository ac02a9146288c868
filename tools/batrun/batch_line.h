#pragma once

#include <string>
#include <vector>

// Splits a command line into words at white space; double quotes group a word with blanks and
// are removed.
std::vector<std::string> SplitWords(const std::string& text);

// A Windows path as a path here: every '\' becomes '/'.
std::string HostPath(const std::string& path);

// Replaces "%%" by "%", "%0" to "%9" by the batch file's parameters, and "%NAME%" by the
// environment variable (empty when unset). A lone '%' stays.
std::string ExpandVariables(const std::string& line, const std::vector<std::string>& parameters);

// Case-insensitive comparison of ASCII words.
bool SameWord(const std::string& a, const std::string& b);
