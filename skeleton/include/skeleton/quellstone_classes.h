#pragma once
// The two plug-in classes of quellstone.dle and the library's exported values.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"

namespace skeleton {

inline constexpr frame::ExporterTexts kBoneExporterTexts{"BON", "Vantreel Bone Exporter",
                                                         "VTR Bone Exporter"};
inline constexpr frame::ExporterTexts kPoseExporterTexts{"POS", "Vantreel Pose Exporter",
                                                         "VTR Pose Exporter"};
inline constexpr frame::ExporterClassInfo kBoneExporterClass{
    "BonExp", ClassId(0x42772D3E, 0x04F53196), "VTR"};
inline constexpr frame::ExporterClassInfo kPoseExporterClass{
    "PosExp", ClassId(0x63C25989, 0x6FEE3FFC), "VTR"};

inline constexpr const char* kQuellstoneDescription = "BON/POS file exporter (Vantreel)";
// Host release 2500 in the upper 16 bits, interface 5, revision 0.
inline constexpr unsigned long kQuellstoneVersion = 0x09C40500;

ClassDescriptor* BoneExporterClassDesc();
ClassDescriptor* PoseExporterClassDesc();
// 0: the Bone exporter, 1: the Pose exporter, otherwise null.
int QuellstoneClassCount();
ClassDescriptor* QuellstoneClassDesc(int index);

}  // namespace skeleton
