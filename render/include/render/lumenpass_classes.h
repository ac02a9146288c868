#pragma once
// What lumenpass.dlu and lumenpass3.dlu report to the host: one utility class, the description
// and the SDK version each build was made for.
#include <hostsdk/plugin.h>

namespace render {

inline constexpr const char* kLumenpassDescription = "VTR Camera Renderer";
// Host release in the upper 16 bits, interface generation in bits 8 to 15.
inline constexpr unsigned long kLumenpassVersion =
    kHostSdkApiGeneration >= 7 ? 0x0BB80700ul : 0x09C40500ul;
inline constexpr ClassId kLumenpassClassId{0x1377534C, 0x19D12769};

int LumenpassClassCount();
ClassDescriptor* LumenpassClassDesc(int index);

}  // namespace render
