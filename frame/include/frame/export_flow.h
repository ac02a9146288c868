#pragma once
// The steps every export entry shares before it writes anything.
#include <hostsdk/host.h>

#include <optional>

#include "frame/export_settings.h"
#include "frame/options_dialog.h"

namespace frame {

// Keeps the host for the export and sets the export range and the ticks per frame in `settings`.
void BeginExport(HostInterface& host, ExportSettings& settings, TimeValue rangeStart,
                 TimeValue rangeEnd);

// The export's result when the options dialog ends it (1 after Cancel, 0 when the dialog could
// not be shown), or nothing when the export goes on.
std::optional<int> ResultAfterDialog(DialogOutcome outcome);

}  // namespace frame
