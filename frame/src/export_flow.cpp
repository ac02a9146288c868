#include "frame/export_flow.h"

#include "frame/plugin_state.h"

ExportSettings& BeginExport(HostInterface& host, TimeValue rangeStart, TimeValue rangeEnd) {
    SetLibraryHost(&host);
    ExportSettings& settings = LibrarySettings();
    settings.rangeStart = rangeStart;
    settings.rangeEnd = rangeEnd;
    settings.ticksPerFrame = GetTicksPerFrame();
    return settings;
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
