#include "skeleton/quellstone_classes.h"

#include "skeleton/bone_exporter.h"
#include "skeleton/pose_exporter.h"

namespace skeleton {

ClassDescriptor* BoneExporterClassDesc() {
    static frame::ExporterClassDesc<BoneExporter> desc(kBoneExporterClass);
    return &desc;
}

ClassDescriptor* PoseExporterClassDesc() {
    static frame::ExporterClassDesc<PoseExporter> desc(kPoseExporterClass);
    return &desc;
}

int QuellstoneClassCount() {
    return 2;
}

ClassDescriptor* QuellstoneClassDesc(int index) {
    switch (index) {
        case 0:
            return BoneExporterClassDesc();
        case 1:
            return PoseExporterClassDesc();
        default:
            return nullptr;
    }
}

}  // namespace skeleton
