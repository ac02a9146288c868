#pragma once
// The Pose exporter's messages: modal message boxes with one OK button.
#include <cstddef>

namespace skeleton {

// Longest message ShowError shows, terminator included; a longer one is cut short.
inline constexpr std::size_t kMessageBufferSize = 1024;
// Caption of the Pose exporter's message boxes.
inline constexpr const char* kPoseMessageCaption = "VTR Pose Exporter";

// Formats the message printf-style and shows it; waits until the user closes the box.
void ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace skeleton
