#include "camweave/camera_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace camweave {
namespace {

// A list with `entries` (each a full entry line) after two lines of a preceding list.
std::string List(const std::vector<std::string>& entries, const std::string& version = "1") {
    std::string text = "title\n" + version + "\nheader\n2, " + std::to_string(entries.size()) +
                       "\nlights\nsun\nlamp\ncameras\n";
    for (const std::string& entry : entries) text += entry + "\na\nb\nc\nd\n";
    return text;
}

struct Parsed {
    support::Status status;
    std::string console;
    std::vector<CameraRecord> cameras;
};

Parsed Parse(const std::string& text, bool panning = false, bool namesAreFileNames = false) {
    Parsed parsed;
    std::ostringstream console;
    auto cameras = ParseCameraList(text, "shot.lc", {panning, namesAreFileNames}, console);
    if (cameras.ok()) {
        parsed.cameras = std::move(*cameras);
    } else {
        parsed.status = support::Status::Fail(cameras.error());
    }
    parsed.console = console.str();
    return parsed;
}

TEST(CameraList, ConvertsUnitsInSinglePrecision) {
    const Parsed parsed = Parse(List({"\"Lobby\",10,-2.5,1,0.5,-0.25,3.14159265359,1.5708"}));
    ASSERT_TRUE(parsed.status.ok()) << parsed.status.error();
    ASSERT_EQ(parsed.cameras.size(), 1u);
    const CameraRecord& c = parsed.cameras[0];
    EXPECT_EQ(c.name, "Lobby");
    EXPECT_EQ(c.x, static_cast<float>(10.0f * 0.3048));
    EXPECT_EQ(c.y, static_cast<float>(-2.5f * 0.3048));
    EXPECT_EQ(c.pitch, static_cast<float>(0.5f * (180 / 3.14159265359)));
    EXPECT_EQ(c.bank, static_cast<float>(-0.25f * (180 / 3.14159265359)));
    EXPECT_FLOAT_EQ(c.heading, 180.0f);
    const float fov = static_cast<float>(1.5708f - 0.00077);
    EXPECT_EQ(c.zoomFactor, static_cast<float>(1.3333333333333335 / std::tan(fov * 0.5)));
    EXPECT_EQ(c.isPanView, 0);
    EXPECT_EQ(parsed.console, "Reading shot.lc...\n  Read 1 fixed cameras\n");
}

TEST(CameraList, CrLfAndBlankLinesReadAsScanfReadsThem) {
    // Blank lines after a scanned line are white space, so they do not count as skipped lines.
    std::string text = List({"\"A\",1,2,3,0,0,0,1", "\"B\",4,5,6,0,0,0,1"});
    text.insert(text.find("header"), "\n\n");
    text.insert(text.find("a\n"), "\n\n\n");
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const Parsed parsed = Parse(crlf);
    ASSERT_TRUE(parsed.status.ok()) << parsed.status.error();
    ASSERT_EQ(parsed.cameras.size(), 2u);
    EXPECT_EQ(parsed.cameras[1].name, "B");
}

TEST(CameraList, StopsOnLinesThatDoNotScan) {
    EXPECT_EQ(Parse(List({" \"A\",1,2,3,0,0,0,1"})).status.error(),
              "Error scanning shot.lc camera 0");
    EXPECT_EQ(Parse(List({"\"A\",1,2,3,0,0,0,1", "\"B\",1,2,3,0,0 ,0,1"})).status.error(),
              "Error scanning shot.lc camera 1");
    EXPECT_EQ(Parse(List({"\"\",1,2,3,0,0,0,1"})).status.error(),
              "Error scanning shot.lc camera 0");
    std::string missing = List({"\"A\",1,2,3,0,0,0,1"});
    missing.replace(missing.find("2, 1"), 4, "2, 2");
    EXPECT_EQ(Parse(missing).status.error(), "Error scanning shot.lc camera 1");
    EXPECT_EQ(Parse("title\n1\nheader\n2 3\n").status.error(),
              "Error scanning shot.lc camera counts");
}

TEST(CameraList, NoCamerasIsAnEmptyList) {
    const Parsed parsed = Parse(List({}));
    ASSERT_TRUE(parsed.status.ok());
    EXPECT_TRUE(parsed.cameras.empty());
    EXPECT_EQ(parsed.console, "Reading shot.lc...\n");
}

TEST(CameraList, NamesLongerThanARecordHoldsAreRefused) {
    const std::string longest(99, 'n');
    EXPECT_TRUE(Parse(List({"\"" + longest + "\",0,0,0,0,0,0,1"})).status.ok());
    EXPECT_EQ(Parse(List({"\"" + longest + "x\",0,0,0,0,0,0,1"})).status.error(),
              "shot.lc camera 0: name longer than 99 characters");
    // A panning camera's views add a letter.
    EXPECT_EQ(Parse(List({"\"" + longest + "\",0,0,0,0,0,0,3"}), true).status.error(),
              "shot.lc camera 0: name longer than 98 characters (a panning camera)");
    const std::string shorter = longest.substr(1);
    EXPECT_TRUE(Parse(List({"\"" + shorter + "\",0,0,0,0,0,0,3"}), true).status.ok());
}

TEST(CameraList, ValuesThatGiveNoCameraAreRefused) {
    const struct {
        std::string entry;
        std::string reason;
    } cases[] = {
        {"\"A\",nan,0,0,0,0,0,1", ": a value is not a finite number"},
        {"\"A\",0,0,0,0,0,-inf,1", ": a value is not a finite number"},
        {"\"A\",0,0,0,0,0,0,INFINITY", ": a value is not a finite number"},
        {"\"A\",0,0,0,3e38,0,0,1", ": a value is not a finite number"},  // no float in degrees
        {"\"A\",0,0,0,0,0,0,0", ": the field of view is not above 0"},
        {"\"A\",0,0,0,0,0,0,0.00077", ": the field of view is not above 0"},
        {"\"A\",0,0,0,0,0,0,-1", ": the field of view is not above 0"},
        {"\"A\",0,0,0,0,0,0,3.2", ": the field of view gives no zoom factor"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(List({"\"B\",0,0,0,0,0,0,1", c.entry})).status.error(),
                  "Error scanning shot.lc camera 1" + c.reason)
            << c.entry;
    }
    // Wider than 180 degrees is still six views with /p; the views have a zoom of their own.
    EXPECT_EQ(Parse(List({"\"A\",0,0,0,0,0,0,3.2"}), true).cameras.size(), 6u);

    std::string negative = List({});
    negative.replace(negative.find("2, 0"), 4, "2, -5");
    EXPECT_EQ(Parse(negative).status.error(),
              "Error scanning shot.lc camera counts: a count below 0");
    negative.replace(negative.find("2, -5"), 5, "-1, 0");
    EXPECT_EQ(Parse(negative).status.error(),
              "Error scanning shot.lc camera counts: a count below 0");
}

TEST(CameraList, NamesOfImageFilesMustNameDistinctFiles) {
    const auto error = [](const std::vector<std::string>& entries, bool panning = false) {
        return Parse(List(entries), panning, true).status.error();
    };
    EXPECT_EQ(error({"\"a\ntouch PWNED\nrem \",0,0,0,0,0,0,1"}),
              "shot.lc camera 0: the name \"a\\ntouch PWNED\\nrem \" cannot be a file name: it "
              "holds a line break");
    EXPECT_EQ(error({"\"A\",0,0,0,0,0,0,1", "\"..\\..\\x\",0,0,0,0,0,0,1"}),
              "shot.lc camera 1: the name \"..\\\\..\\\\x\" cannot be a file name: it holds the "
              "character \\");
    EXPECT_EQ(error({"\"Lobby\",0,0,0,0,0,0,1", "\"B\",0,0,0,0,0,0,1", "\"LOBBY\",0,0,0,0,0,0,1"}),
              "shot.lc camera 2: the name \"LOBBY\" repeats the name of camera 0 (\"Lobby\"), case "
              "ignored");
    // A panning camera's views against fixed cameras and against each other's.
    EXPECT_EQ(error({"\"roofs\",0,0,0,0,0,0,1", "\"Roof\",0,0,0,0,0,0,2.5"}, true),
              "shot.lc camera 1: the view name \"RoofS\" repeats the name of camera 0 (\"roofs\"), "
              "case ignored");
    EXPECT_EQ(error({"\"Ro.\",0,0,0,0,0,0,2.5"}, true),
              "shot.lc camera 0: the name \"Ro.\" cannot be a file name: it ends in a dot");
    EXPECT_EQ(error({"\"CO\",0,0,0,0,0,0,2.5"}, true),
              "shot.lc camera 0: the view name \"CON\" cannot be a file name: it is the name of a "
              "device");

    // Names that only the interpreter finds special are file names; without image files at
    // stake nothing is checked.
    EXPECT_TRUE(Parse(List({"\"Lobby & Bar (100%)\",0,0,0,0,0,0,1", "\"a^b;c=d,e\",0,0,0,0,0,0,1"}),
                      false, true)
                    .status.ok());
    EXPECT_TRUE(
        Parse(List({"\"A\",0,0,0,0,0,0,1", "\"a\",0,0,0,0,0,0,1", "\"x\n.\",0,0,0,0,0,0,1"}))
            .status.ok());
}

TEST(CameraList, EveryTruncatedListEndsCleanly) {
    const std::string full = List({"\"A\",1,2,3,0.1,0.2,0.3,1.5", "\"B\",4,5,6,0,0,0,2.5"});
    for (std::size_t size = 0; size <= full.size(); ++size) {
        const Parsed parsed = Parse(full.substr(0, size), true);
        if (parsed.status.ok()) {
            EXPECT_EQ(parsed.cameras.size(), 7u) << size;
        } else {
            EXPECT_NE(parsed.status.error().find("shot.lc"), std::string::npos) << size;
        }
    }
}

}  // namespace
}  // namespace camweave
