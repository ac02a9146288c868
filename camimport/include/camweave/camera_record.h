#pragma once

#include <cstddef>
#include <string>

namespace camweave {

// One keyframe of the scene's camera: a listed camera, or one of the six views of a panning one.
struct CameraRecord {
    std::string name;                        // at most kMaxCameraName characters
    float x = 0, y = 0, z = 0;               // metres
    float pitch = 0, bank = 0, heading = 0;  // degrees
    float zoomFactor = 1;                    // LightWave zoom factor
    int isPanView = 0;  // 1 for a view of a panning camera, 0 for a fixed camera
};

// Camera names fit a record of 100 characters with its terminator.
inline constexpr std::size_t kMaxCameraName = 99;

}  // namespace camweave
