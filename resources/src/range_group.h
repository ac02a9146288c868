#pragma once
// The "Animation range" group, identical in the bone and course options dialogs.
#include <hostsdk/ui.h>

#include <array>
#include <cstddef>

#include "resources/resource_ids.h"

namespace resources {

inline constexpr std::array<ControlTemplate, 11> kRangeGroupControls{{
    {kNoId, ControlKind::GroupBox, "Animation range", 197, 7, 176, 112, 0},
    {kNoId, ControlKind::Static, "Start:", 205, 33, 18, 8, 0},
    {kIdcStartSlider, ControlKind::Slider, "", 229, 29, 105, 15, kStyleNoTicks},
    {kIdcStartNumber, ControlKind::Static, "", 336, 33, 29, 8, 0},
    {kNoId, ControlKind::Static, "End:", 205, 59, 16, 8, 0},
    {kIdcEndSlider, ControlKind::Slider, "", 229, 55, 105, 15, kStyleNoTicks},
    {kIdcEndNumber, ControlKind::Static, "", 336, 59, 29, 8, 0},
    {kIdcFirstFrame, ControlKind::PushButton, "First frame", 205, 78, 50, 14, 0},
    {kIdcCurrentFrame, ControlKind::PushButton, "Current frame", 261, 78, 50, 14, 0},
    {kIdcAllFrames, ControlKind::PushButton, "All frames", 317, 78, 50, 14, 0},
    {kIdcRangeSummary, ControlKind::Static, "", 205, 101, 158, 8, 0},
}};

// The controls of `a` followed by those of `b`, as one template table.
template <std::size_t N, std::size_t M>
constexpr std::array<ControlTemplate, N + M> JoinControls(const std::array<ControlTemplate, N>& a,
                                                          const std::array<ControlTemplate, M>& b) {
    std::array<ControlTemplate, N + M> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = a[i];
    for (std::size_t i = 0; i < M; ++i) out[N + i] = b[i];
    return out;
}

}  // namespace resources
