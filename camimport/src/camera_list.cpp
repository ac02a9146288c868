#include "camweave/camera_list.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "camweave/camera_names.h"
#include "camweave/list_scanner.h"
#include "camweave/text_file.h"
#include "support/file_io.h"

namespace camweave {

namespace {

using CameraList = support::Result<std::vector<CameraRecord>>;

constexpr double kPi = 3.14159265359;
constexpr double kFeetToMetres = 0.3048;
constexpr double kRadiansToDegrees = 180 / kPi;
constexpr double kFovAdjustment = -0.00077;
constexpr double kWidestFixedFov = kPi * 110 / 180;
// 4/3 as a double, rounded up in its last bit: the zoom of a 4:3 frame.
constexpr double kFourThirds = 1.3333333333333335;

struct PanView {
    const char* suffix;
    float heading, pitch, bank;
};
constexpr PanView kPanViews[] = {
    {"N", 0, 0, 0},   {"S", 180, 0, 0}, {"E", 90, 0, 0},
    {"W", -90, 0, 0}, {"U", 0, -90, 0}, {"D", 0, 90, 0},
};

std::string Format(const char* format, const std::string& text, long long number) {
    std::string out;
    for (const char* p = format; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += text;
            ++p;
        } else if (p[0] == '%' && p[1] == 'd') {
            out += std::to_string(number);
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// One entry line: "\"%[^\"]\",%f,%f,%f,%f,%f,%f,%f\n". Returns how many fields were converted.
int ScanEntry(ListScanner& file, std::string& name, float (&values)[7]) {
    int converted = 0;
    if (!file.Match('"') || !file.ScanUntil('"', name)) return converted;
    ++converted;
    if (!file.Match('"')) return converted;
    for (float& value : values) {
        if (!file.Match(',') || !file.ScanFloat(value)) return converted;
        ++converted;
    }
    file.SkipWhiteSpace();
    return converted;
}

bool AllFinite(std::initializer_list<float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

}  // namespace

bool AddCamera(std::vector<CameraRecord>& cameras, const CameraRecord& record) {
    try {
        cameras.push_back(record);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

CameraList ParseCameraList(const std::string& text, const std::string& lcName,
                           const CameraListOptions& options, std::ostream& console) {
    ListScanner file(NormalizeLineEnds(text));

    SkipLines(file, 1);
    int version = -1;
    if (file.ScanInt(version)) file.SkipWhiteSpace();
    if (version != 1) {
        return CameraList::Fail(
            Format("%s is version %d, I can only do version 1", lcName, version));
    }

    SkipLines(file, 1);
    int precedingLines = 0, count = 0;
    if (!file.ScanInt(precedingLines) || !file.Match(',') ||
        (file.SkipWhiteSpace(), !file.ScanInt(count))) {
        return CameraList::Fail(Format("Error scanning %s camera counts", lcName, 0));
    }
    if (precedingLines < 0 || count < 0) {
        return CameraList::Fail(
            Format("Error scanning %s camera counts: a count below 0", lcName, 0));
    }
    file.SkipWhiteSpace();
    // The lines of the preceding list, its header line, and one more line before the entries.
    SkipLines(file, static_cast<long long>(precedingLines) + 1);
    SkipLines(file, 1);

    console << "Reading " << lcName << "...\n";
    std::vector<CameraRecord> cameras;
    CameraNames names(lcName);
    int fixedCount = 0, panningCount = 0;
    for (int i = 0; i < count; ++i) {
        const auto scanError = [&](const std::string& reason) {
            return CameraList::Fail(Format("Error scanning %s camera %d", lcName, i) + reason);
        };
        std::string name;
        float values[7] = {};
        if (ScanEntry(file, name, values) < 8) return scanError("");
        SkipLines(file, 4);

        CameraRecord record;
        record.x = static_cast<float>(values[0] * kFeetToMetres);
        record.y = static_cast<float>(values[1] * kFeetToMetres);
        record.z = static_cast<float>(values[2] * kFeetToMetres);
        record.pitch = static_cast<float>(values[3] * kRadiansToDegrees);
        record.bank = static_cast<float>(values[4] * kRadiansToDegrees);
        record.heading = static_cast<float>(values[5] * kRadiansToDegrees);
        // A nan or an infinity would be keyed into the scene as it is; a huge angle overflows
        // when converted to degrees.
        if (!AllFinite({values[0], values[1], values[2], values[3], values[4], values[5], values[6],
                        record.pitch, record.bank, record.heading})) {
            return scanError(": a value is not a finite number");
        }
        const float fov = static_cast<float>(values[6] + kFovAdjustment);
        if (!(fov > 0)) return scanError(": the field of view is not above 0");
        const bool isPanning = options.panning && fov > kWidestFixedFov;

        // A panning camera's views add a suffix letter, so its name has one character less.
        const std::size_t longest = isPanning ? kMaxCameraName - 1 : kMaxCameraName;
        if (name.size() > longest) {
            return CameraList::Fail(Format("%s camera %d: name longer than ", lcName, i) +
                                    std::to_string(longest) + " characters" +
                                    (isPanning ? " (a panning camera)" : ""));
        }
        if (options.namesAreFileNames) {
            // A panning camera's own name names no file, but it is part of every view's name.
            const support::Status usable =
                isPanning ? names.Check(i, name, false) : names.Add(i, name, false);
            if (!usable.ok()) return CameraList::Fail(usable.error());
        }

        if (!isPanning) {
            record.name = name;
            record.zoomFactor = static_cast<float>(kFourThirds / std::tan(fov * 0.5));
            // From 180 degrees on the tangent turns negative: no zoom factor fits that view.
            if (!std::isfinite(record.zoomFactor) || record.zoomFactor <= 0) {
                return scanError(": the field of view gives no zoom factor");
            }
            record.isPanView = 0;
            if (!AddCamera(cameras, record)) return CameraList::Fail("Out of memory");
            ++fixedCount;
            continue;
        }
        for (const PanView& view : kPanViews) {
            record.name = name + view.suffix;
            if (options.namesAreFileNames) {
                if (support::Status usable = names.Add(i, record.name, true); !usable.ok()) {
                    return CameraList::Fail(usable.error());
                }
            }
            record.heading = view.heading;
            record.pitch = view.pitch;
            record.bank = view.bank;
            record.zoomFactor = 1.0f;
            record.isPanView = 1;
            if (!AddCamera(cameras, record)) return CameraList::Fail("Out of memory");
        }
        ++panningCount;
    }
    if (fixedCount > 0) console << "  Read " << fixedCount << " fixed cameras\n";
    if (panningCount > 0) console << "  Read " << panningCount << " panning cameras\n";

    // Fixed cameras first, pan views after, file order kept within each group.
    std::stable_partition(cameras.begin(), cameras.end(),
                          [](const CameraRecord& record) { return record.isPanView == 0; });
    return cameras;
}

CameraList ReadCameraList(const std::string& lcName, const std::string& lwsName,
                          const CameraListOptions& options, std::ostream& console) {
    const support::Result<std::string> text = support::ReadWholeFile(lcName);
    if (!text.ok()) return CameraList::Fail("Can't open " + lcName);
    CameraList cameras = ParseCameraList(*text, lcName, options, console);
    if (cameras.ok()) console << "Outputing cameras to " << lwsName << "...\n";
    return cameras;
}

}  // namespace camweave
