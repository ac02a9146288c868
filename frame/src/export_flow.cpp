#include "frame/export_flow.h"

#include "frame/plugin_state.h"

namespace frame {

void BeginExport(HostInterface& host, ExportSettings& settings, TimeValue rangeStart,
                 TimeValue rangeEnd) {
    SetLibraryHost(&host);
    settings.rangeStart = rangeStart;
    settings.rangeEnd = rangeEnd;
    settings.ticksPerFrame = GetTicksPerFrame();
}

std::optional<int> ResultAfterDialog(DialogOutcome outcome) {
    switch (outcome) {
        case DialogOutcome::Cancelled:
            return 1;
        case DialogOutcome::Unavailable:
            return 0;
        case DialogOutcome::Confirmed:
            break;
    }
    return std::nullopt;
}

}  // namespace frame
