#pragma once
#include <cstdint>

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// Host time is counted in ticks, 4800 per second.
using TimeValue = int32_t;
inline constexpr int kTicksPerSecond = 4800;

struct Interval {
    TimeValue start = 0;
    TimeValue end = 0;
};

// Ticks per frame of the scene the host has loaded.
int GetTicksPerFrame();
// Host side: set when a scene is loaded (4800 / frames per second).
void SetTicksPerFrame(int ticks);

#pragma GCC visibility pop
