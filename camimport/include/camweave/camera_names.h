#pragma once

#include <string>
#include <unordered_map>

#include "support/result.h"

namespace camweave {

// The names of a list's records where they become image file names: each must be able to name a
// file, and no two may differ only in case, as Windows compares file names (ASCII letters only).
// Messages name the list and the camera, counted from 0 in file order.
class CameraNames {
  public:
    explicit CameraNames(std::string lcName) : lcName_(std::move(lcName)) {}

    // Whether the name of camera `index` (or of one of its views) can name a file.
    support::Status Check(int index, const std::string& name, bool isView) const;
    // Checks the name as Check does and registers it; a name registered before is refused.
    support::Status Add(int index, const std::string& name, bool isView);

  private:
    struct Entry {
        int index;
        std::string name;
    };
    std::string Describe(int index, const std::string& name, bool isView) const;

    std::string lcName_;
    std::unordered_map<std::string, Entry> names_;  // by lower-case name
};

}  // namespace camweave
