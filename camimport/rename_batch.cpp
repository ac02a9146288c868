#include "rename_batch.h"

#include <cstdio>

#include "file_names.h"
#include "text_file.h"

std::vector<std::string> RenameBatchLines(const std::vector<CameraRecord>& cameras,
                                          const std::string& prefix, int converterMode) {
    const std::string imageFolder = DriveAndFolder(prefix);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        char frame[32];
        std::snprintf(frame, sizeof frame, "%04zu", i + 1);
        const std::string& name = cameras[i].name;
        lines.push_back("ren " + prefix + frame + ".tga " + name + ".tga");
        if (converterMode == 1) lines.push_back("rawsmith /q " + imageFolder + name + ".tga");
        if (converterMode == 2) {
            lines.push_back("rawsmith /q /p /m " + imageFolder + name + ".tga");
        }
    }
    lines.push_back("pause");
    return lines;
}

Status WriteRenameBatch(const std::string& batchName, const std::vector<CameraRecord>& cameras,
                        const std::string& prefix, int converterMode, std::ostream& console) {
    console << "Generating batch file " << batchName << "\n";
    TextWriter out(batchName);
    if (!out.IsOpen()) return Status::Fail("Can't create " + batchName);
    for (const std::string& line : RenameBatchLines(cameras, prefix, converterMode)) {
        out.WriteLine(line);
    }
    if (!out.Close()) return Status::Fail("Can't write " + batchName);
    return Status::Ok();
}
