#include "course/ravelpath_classes.h"

#include "course/course_exporter.h"

namespace course {

ClassDescriptor* CourseExporterClassDesc() {
    static frame::ExporterClassDesc<CourseExporter> desc(kCourseExporterClass);
    return &desc;
}

int RavelpathClassCount() {
    return 1;
}

ClassDescriptor* RavelpathClassDesc(int index) {
    return index == 0 ? CourseExporterClassDesc() : nullptr;
}

}  // namespace course
