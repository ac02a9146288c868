#include "camweave/rename_batch.h"

#include <cstdio>

#include "camweave/text_file.h"
#include "support/batch_argument.h"
#include "support/paths.h"

namespace camweave {

using support::BatchArgument;

std::vector<std::string> RenameBatchLines(const std::vector<CameraRecord>& cameras,
                                          const std::string& prefix, int converterMode) {
    const std::string imageFolder = support::DriveAndFolder(prefix);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        char frame[32];
        std::snprintf(frame, sizeof frame, "%04zu", i + 1);
        const std::string image = cameras[i].name + ".tga";
        lines.push_back("ren " + BatchArgument(prefix + frame + ".tga") + " " +
                        BatchArgument(image));
        if (converterMode == 1) {
            lines.push_back("rawsmith /q " + BatchArgument(imageFolder + image));
        } else if (converterMode == 2) {
            lines.push_back("rawsmith /q /p /m " + BatchArgument(imageFolder + image));
        }
    }
    lines.push_back("pause");
    return lines;
}

support::Status WriteRenameBatch(const std::string& batchName,
                                 const std::vector<CameraRecord>& cameras,
                                 const std::string& prefix, int converterMode,
                                 std::ostream& console) {
    console << "Generating batch file " << batchName << "\n";
    ReplacementFile batch(batchName);
    if (!batch.IsOpen()) return support::Status::Fail("Can't create " + batchName);
    for (const std::string& line : RenameBatchLines(cameras, prefix, converterMode)) {
        batch.Writer().WriteLine(line);
    }
    if (!batch.Close()) return support::Status::Fail("Can't write " + batchName);
    if (support::Status moved = batch.MoveOverTarget(); !moved.ok()) {
        return support::Status::Fail("Can't create " + batchName + ": " + moved.error());
    }
    return support::Status::Ok();
}

}  // namespace camweave
