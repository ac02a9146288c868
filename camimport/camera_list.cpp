#include "camera_list.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "list_scanner.h"
#include "text_file.h"

namespace {

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

}  // namespace

bool AddCamera(std::vector<CameraRecord>& cameras, const CameraRecord& record) {
    try {
        cameras.push_back(record);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

Status ParseCameraList(const std::string& text, const std::string& lcName, bool panning,
                       std::ostream& console, std::vector<CameraRecord>& cameras) {
    ListScanner file(NormalizeLineEnds(text));

    SkipLines(file, 1);
    int version = -1;
    if (file.ScanInt(version)) file.SkipWhiteSpace();
    if (version != 1) {
        return Status::Fail(Format("%s is version %d, I can only do version 1", lcName, version));
    }

    SkipLines(file, 1);
    int precedingLines = 0, count = 0;
    if (!file.ScanInt(precedingLines) || !file.Match(',') ||
        (file.SkipWhiteSpace(), !file.ScanInt(count))) {
        return Status::Fail(Format("Error scanning %s camera counts", lcName, 0));
    }
    file.SkipWhiteSpace();
    // The lines of the preceding list, its header line, and one more line before the entries.
    SkipLines(file, static_cast<long long>(precedingLines) + 1);
    SkipLines(file, 1);

    console << "Reading " << lcName << "...\n";
    int fixedCount = 0, panningCount = 0;
    for (int i = 0; i < count; ++i) {
        std::string name;
        float values[7] = {};
        if (ScanEntry(file, name, values) < 8) {
            return Status::Fail(Format("Error scanning %s camera %d", lcName, i));
        }
        SkipLines(file, 4);

        CameraRecord record;
        record.x = static_cast<float>(values[0] * kFeetToMetres);
        record.y = static_cast<float>(values[1] * kFeetToMetres);
        record.z = static_cast<float>(values[2] * kFeetToMetres);
        record.pitch = static_cast<float>(values[3] * kRadiansToDegrees);
        record.bank = static_cast<float>(values[4] * kRadiansToDegrees);
        record.heading = static_cast<float>(values[5] * kRadiansToDegrees);
        const float fov = static_cast<float>(values[6] + kFovAdjustment);
        const bool isPanning = panning && fov > kWidestFixedFov;

        // A panning camera's views add a suffix letter, so its name has one character less.
        const std::size_t longest = isPanning ? kMaxCameraName - 1 : kMaxCameraName;
        if (name.size() > longest) {
            return Status::Fail(Format("%s camera %d: name longer than ", lcName, i) +
                                std::to_string(longest) + " characters" +
                                (isPanning ? " (a panning camera)" : ""));
        }

        if (!isPanning) {
            record.name = name;
            record.zoomFactor = static_cast<float>(kFourThirds / std::tan(fov * 0.5));
            record.isPanView = 0;
            if (!AddCamera(cameras, record)) return Status::Fail("Out of memory");
            ++fixedCount;
            continue;
        }
        for (const PanView& view : kPanViews) {
            record.name = name + view.suffix;
            record.heading = view.heading;
            record.pitch = view.pitch;
            record.bank = view.bank;
            record.zoomFactor = 1.0f;
            record.isPanView = 1;
            if (!AddCamera(cameras, record)) return Status::Fail("Out of memory");
        }
        ++panningCount;
    }
    if (fixedCount > 0) console << "  Read " << fixedCount << " fixed cameras\n";
    if (panningCount > 0) console << "  Read " << panningCount << " panning cameras\n";

    // Fixed cameras first, pan views after, file order kept within each group.
    std::stable_partition(cameras.begin(), cameras.end(),
                          [](const CameraRecord& record) { return record.isPanView == 0; });
    return Status::Ok();
}

Status ReadCameraList(const std::string& lcName, const std::string& lwsName, bool panning,
                      std::ostream& console, std::vector<CameraRecord>& cameras) {
    std::string text;
    if (!ReadWholeFile(lcName, text)) return Status::Fail("Can't open " + lcName);
    Status status = ParseCameraList(text, lcName, panning, console, cameras);
    if (!status.ok()) return status;
    console << "Outputing cameras to " << lwsName << "...\n";
    return status;
}
