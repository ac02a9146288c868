#include "frame/export_settings.h"

#include <cmath>

namespace frame {

ExportSettings& LibrarySettings() {
    static ExportSettings settings;
    return settings;
}

bool IsAcceptedScaleFactor(double scale) {
    return std::isfinite(scale) && scale >= kMinScaleFactor && scale <= kMaxScaleFactor;
}

}  // namespace frame
