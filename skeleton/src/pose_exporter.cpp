#include "skeleton/pose_exporter.h"

#include "frame/plugin_state.h"
#include "skeleton/bone_name_list.h"
#include "skeleton/quellstone_classes.h"

PoseExporter::PoseExporter() : FixedTextExporter(kPoseExporterTexts) {
    TheBoneNameList().Clear();
}

PoseExporter::~PoseExporter() {
    TheBoneNameList().Clear();
}

int PoseExporter::DoExport(const char*, ExportSceneInterface*, HostInterface* host, bool) {
    SetLibraryHost(host);
    MessageBox(HostWindow(),
               "Pose export (.POS) is not available in this version of quellstone.dle yet. "
               "No file was written.",
               kPoseExporterTexts.shortDescription, kMbOk | kMbIconWarning);
    return 0;
}
