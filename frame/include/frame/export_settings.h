#pragma once
// The option record of an export library. Each plug-in library links its own copy of this
// static library, so quellstone.dle and ravelpath.dle keep separate records.
#include <hostsdk/time.h>

#include <string>
#include <vector>

struct ExportSettings {
    // Bone libraries: '+' (include) or '-' (exclude) followed by a wildcard; the last matching
    // rule decides, and a name no rule matches is not a bone.
    std::vector<std::string> rules;
    int ignoreHidden = 0;
    float scaleFactor = 1.0f;
    int rotate180 = 0;
    int exportTextures = 0;
    // Course library: the node to export; kept while the library is loaded, never saved.
    std::string nodeName;
    // Set by each export from the host (and then by the dialog); never saved.
    TimeValue rangeStart = 0;
    TimeValue rangeEnd = 0;
    int ticksPerFrame = 160;
};

// The library's process-wide record.
ExportSettings& LibrarySettings();

// Longest rule the settings file holds, sign included.
inline constexpr std::size_t kMaxRuleLength = 99;
// Accepted scale factors, inclusive.
inline constexpr double kMinScaleFactor = 0.001;
inline constexpr double kMaxScaleFactor = 999999.0;
