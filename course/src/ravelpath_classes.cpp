#include "course/ravelpath_classes.h"

#include "course/course_exporter.h"

ClassDescriptor* CourseExporterClassDesc() {
    static ExporterClassDesc<CourseExporter> desc(kCourseExporterClass);
    return &desc;
}

int RavelpathClassCount() {
    return 1;
}

ClassDescriptor* RavelpathClassDesc(int index) {
    return index == 0 ? CourseExporterClassDesc() : nullptr;
}
