#include "frame/export_settings.h"

ExportSettings& LibrarySettings() {
    static ExportSettings settings;
    return settings;
}
