// The one failure reporter of the render utility and the quantizer inside it: a record in the
// failure log, then a message box.
#include <hostsdk/ui.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "render/render_utility.h"

namespace render {

std::string FailureLogPath() {
    const char* path = std::getenv("LUMENPASS_FAILURE_LOG");
    return path && *path ? path : kDefaultFailureLog;
}

std::string DateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y", &local);
    return text;
}

void ReportFailure(const std::string& message) {
    // The log is a text file of the system, so its lines end in CR LF; a log that cannot be
    // opened leaves only the message box.
    if (std::FILE* log = std::fopen(FailureLogPath().c_str(), "ab")) {
        const std::string record = std::string(50, '-') + "\r\n" + "Dodoruzediv failure, " +
                                   DateText() + "\r\n\r\n" + "Current camera name: \"" +
                                   CurrentCameraName() + "\"\r\n" + "Message: " + message + "\r\n";
        std::fwrite(record.data(), 1, record.size(), log);
        std::fclose(log);
    }
    MessageBox(nullptr, message, "Error", kMbOk);
}

}  // namespace render
