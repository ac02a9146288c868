#include "frame/export_settings.h"

#include <cmath>

ExportSettings& LibrarySettings() {
    static ExportSettings settings;
    return settings;
}

bool IsAcceptedScaleFactor(double scale) {
    return std::isfinite(scale) && scale >= kMinScaleFactor && scale <= kMaxScaleFactor;
}
