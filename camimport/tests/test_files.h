#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh, empty folder for one test, deleted with everything in it afterwards.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);

// What a program printed on standard output and its exit status.
struct ProgramResult {
    int status = -1;
    std::string output;
};

// Runs `program` with `arguments` in `folder`, standard input empty.
ProgramResult RunIn(const std::filesystem::path& folder, const std::string& program,
                    const std::vector<std::string>& arguments, const std::string& pathPrefix = "");

// The lines of a text, split at LF with a CR before it removed.
std::vector<std::string> Lines(const std::string& text);
