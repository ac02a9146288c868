#pragma once
// The one plug-in class of ravelpath.dle and the library's exported values.
#include <hostsdk/plugin.h>

#include "frame/class_descriptors.h"

namespace course {

inline constexpr frame::ExporterTexts kCourseExporterTexts{"CRS", "Vantreel Course Exporter",
                                                           "VTR Course Exporter"};
// The class name is the Bone exporter's as well; the class id tells the two apart.
inline constexpr frame::ExporterClassInfo kCourseExporterClass{
    "BonExp", ClassId(0x094C358B, 0x4EE93F74), "VTR"};

inline constexpr const char* kRavelpathDescription = "BON/POS file exporter (Vantreel)";
// Host release 2000 in the upper 16 bits, interface 5, revision 0.
inline constexpr unsigned long kRavelpathVersion = 0x07D00500;

ClassDescriptor* CourseExporterClassDesc();
int RavelpathClassCount();
// 0: the Course exporter, otherwise null.
ClassDescriptor* RavelpathClassDesc(int index);

}  // namespace course
