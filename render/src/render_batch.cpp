// "$$TEMP$$.BAT": the first two lines when it is made, four lines per image (three when the
// Targa files are kept), "pause" at the end; then run and waited for.
#include "render/render_batch.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "render/render_utility.h"
#include "support/batch_argument.h"

extern char** environ;

namespace render {

namespace {

void WriteLine(std::FILE* file, const std::string& line) {
    // Batch files are text files of the system: CR LF line ends.
    const std::string text = line + "\r\n";
    std::fwrite(text.data(), 1, text.size(), file);
}

unsigned long NoWork(void*) {
    return 0;
}

}  // namespace

std::vector<std::string> BatchCommand(const std::string& batchFile) {
    const char* comspec = std::getenv("COMSPEC");
    if (comspec && *comspec) return {comspec, "/c", batchFile};
    return {"batrun", batchFile};
}

bool RunAndWait(const std::vector<std::string>& command, std::string& error) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (started != 0) {
        error = std::strerror(started);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

bool RenderUtility::OpenBatch() {
    batchFile = std::fopen(kBatchFileName, "wb");
    if (!batchFile) {
        ReportFailure("Can't create temp bat file.");
        return false;
    }
    WriteLine(batchFile, "@echo off");
    WriteLine(batchFile, "ECHO Temporary batch file created by LUMENPASS.DLU, on " + DateText());
    return true;
}

bool RenderUtility::AppendBatchLines(const std::string& tgaPath) {
    if (!batchFile) {
        ReportFailure("No batch!?");
        return false;
    }
    // Paths are quoted where the interpreter would split them or act on their characters.
    const std::string file = support::BatchArgument(tgaPath);
    WriteLine(batchFile, "@echo " + std::to_string(cameraIndex + 1) + " of " +
                             std::to_string(cameraCount) + ", " +
                             std::to_string(cameraIndex * 100 / cameraCount) + " percent complete");
    WriteLine(batchFile, "RAWSMITH " + converterOptions + " " + file);
    if (!keep24BitTgas) WriteLine(batchFile, "del " + file);
    WriteLine(batchFile, "@echo " + std::string(61, '-'));
    return true;
}

bool RenderUtility::CloseBatch() {
    WriteLine(batchFile, "pause");
    const bool written = !std::ferror(batchFile);
    const bool closed = std::fclose(batchFile) == 0;
    batchFile = nullptr;
    if (written && closed) return true;
    ReportFailure(std::string("Error writing ") + kBatchFileName);
    return false;
}

void RenderUtility::RunBatch() {
    hostInterface->ProgressStart("Running RAWSMITH", true, NoWork, nullptr);
    std::string error;
    const std::vector<std::string> command = BatchCommand(kBatchFileName);
    // The interpreter's and the converter's own errors show in their console; only a command
    // that cannot start at all is reported here.
    if (!RunAndWait(command, error))
        ReportFailure("Can't run " + command.front() + " for " + kBatchFileName + ": " + error);
}

}  // namespace render
