#include "course/course_exporter.h"

#include <string>

#include "course/course_search.h"
#include "course/ravelpath_classes.h"
#include "frame/export_flow.h"
#include "frame/export_settings.h"
#include "frame/options_dialog.h"
#include "frame/plugin_state.h"
#include "frame/settings_file.h"
#include "skeleton/bone_matrix.h"

namespace course {

using frame::ExportSettings;
using frame::TextFileWriter;

CourseExporter::CourseExporter() : FixedTextExporter(kCourseExporterTexts) {}

int CourseFrameCount(TimeValue start, TimeValue end, int ticksPerFrame) {
    if (ticksPerFrame <= 0) return end >= start ? 1 : 0;
    // In 64 bits: a range across the whole tick span does not overflow the difference.
    const long long span = static_cast<long long>(end) - start;
    if (span < 0) return 0;
    return static_cast<int>(span / ticksPerFrame + 1);
}

void WriteCourseHeader(TextFileWriter& out, int frameCount) {
    out.WriteLine("// .CRS version");
    out.WriteLine(std::to_string(frame::kExporterVersion));
    out.WriteLine("// numFrames");
    out.WriteLine(std::to_string(frameCount));
    out.WriteLine("// matrixList (4x3, each row on a seperate line)");
}

void WriteCourseMatrices(TextFileWriter& out, SceneNode& node, const ExportSettings& settings,
                         int frameCount) {
    const TimeValue start = settings.rangeStart;
    const int ticksPerFrame = settings.ticksPerFrame;
    for (int k = 0; k < frameCount && out.Good(); ++k) {
        const auto time = static_cast<TimeValue>(start + static_cast<long long>(k) * ticksPerFrame);
        // The object transform places the geometry, pivot offset included, unlike the Bone
        // exporter's node transform.
        skeleton::WriteBoneMatrix(node.GetObjectTM(time), settings, out);
    }
}

int CourseExporter::DoExport(const char* name, ExportSceneInterface*, HostInterface* host, bool) {
    if (!host || !name) return 0;
    // The library's process-wide settings, handed down from here.
    ExportSettings& settings = frame::LibrarySettings();
    const Interval range = host->GetAnimRange();
    frame::BeginExport(*host, settings, range.start, range.end);
    frame::LoadCourseSettings(settings);
    if (auto result = frame::ResultAfterDialog(frame::RunCourseOptionsDialog(settings)))
        return *result;
    frame::SaveCourseSettings(settings);

    if (!out_.Open(name)) return 0;
    const int frameCount =
        CourseFrameCount(settings.rangeStart, settings.rangeEnd, settings.ticksPerFrame);
    WriteCourseHeader(out_, frameCount);

    const CourseSearchResult found = FindCourseNode(*host, host->GetRootNode(), settings.nodeName);
    if (found.outcome == SearchOutcome::Found)
        WriteCourseMatrices(out_, *found.node, settings, frameCount);
    if (found.outcome == SearchOutcome::NotFound)
        MessageBox(frame::HostWindow(), "Can't find node \"" + settings.nodeName + "\"",
                   kCourseExporterTexts.shortDescription, kMbOk | kMbIconWarning);

    // A file that could not be written completely counts as a failed export too.
    return out_.Finish(found.outcome == SearchOutcome::Found) ? 1 : 0;
}

}  // namespace course
