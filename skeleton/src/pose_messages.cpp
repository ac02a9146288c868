#include "skeleton/pose_messages.h"

#include <hostsdk/ui.h>

#include <cstdarg>
#include <cstdio>

#include "frame/plugin_state.h"

namespace skeleton {

void ShowError(const char* format, ...) {
    // vsnprintf never writes past the buffer: a message built from long file names is cut
    // short rather than overrunning it.
    char buffer[kMessageBufferSize];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0) buffer[0] = '\0';
    MessageBox(frame::HostWindow(), buffer, kPoseMessageCaption, kMbOk);
}

}  // namespace skeleton
