#include "camweave/camera_names.h"

#include "support/ascii.h"
#include "support/file_name_check.h"

namespace camweave {

namespace {

std::string FoldedCase(std::string text) {
    for (char& c : text) c = support::FoldAsciiCase(c);
    return text;
}

}  // namespace

support::Status CameraNames::Check(int index, const std::string& name, bool isView) const {
    const support::Status usable = support::CheckFileName(name);
    if (usable.ok()) return usable;
    return support::Status::Fail(Describe(index, name, isView) +
                                 " cannot be a file name: " + usable.error());
}

support::Status CameraNames::Add(int index, const std::string& name, bool isView) {
    if (support::Status usable = Check(index, name, isView); !usable.ok()) return usable;
    const auto [at, added] = names_.emplace(FoldedCase(name), Entry{index, name});
    if (added) return support::Status::Ok();
    return support::Status::Fail(Describe(index, name, isView) + " repeats the name of camera " +
                                 std::to_string(at->second.index) + " (" +
                                 support::QuoteForMessage(at->second.name) + "), case ignored");
}

std::string CameraNames::Describe(int index, const std::string& name, bool isView) const {
    return lcName_ + " camera " + std::to_string(index) + ": " +
           (isView ? "the view name " : "the name ") + support::QuoteForMessage(name);
}

}  // namespace camweave
