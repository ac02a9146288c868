#pragma once
// A fresh, empty folder for one test, removed with everything in it afterwards. Its name is
// unique to the process, so tests of several builds can run at once.
#include <filesystem>
#include <string>
#include <vector>

namespace support::testing {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` inside the folder.
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string operator/(const std::string& name) const { return File(name); }
    // The names of the folder's entries, sorted.
    std::vector<std::string> Names() const;

  private:
    std::filesystem::path path_;
};

}  // namespace support::testing
