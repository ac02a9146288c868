#pragma once
// The option record of an export library. Each plug-in library links its own copy of this
// static library, so quellstone.dle and ravelpath.dle keep separate records.
#include <hostsdk/time.h>

#include <string>
#include <vector>

namespace frame {

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

// Longest rule line of the settings file format, sign included; the rule editor keeps new rules
// within it.
inline constexpr std::size_t kMaxRuleLength = 99;
// A rule read from a version 1 to 3 file gains a '+' in front, so a stored rule may be one
// character longer; the reader takes such a rule back.
inline constexpr std::size_t kMaxStoredRuleLength = kMaxRuleLength + 1;
// Accepted scale factors, inclusive.
inline constexpr double kMinScaleFactor = 0.001;
inline constexpr double kMaxScaleFactor = 999999.0;
// Whether `scale` is a finite number within the accepted range.
bool IsAcceptedScaleFactor(double scale);

}  // namespace frame
