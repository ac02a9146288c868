#include "camweave/scene_cameras.h"

#include <filesystem>
#include <string_view>

#include "camweave/text_file.h"
#include "support/format_g.h"

namespace camweave {

namespace {

bool Contains(std::string_view line, std::string_view word) {
    return line.find(word) != std::string_view::npos;
}

// Copies scene lines to the new scene, each with a CR LF line end if it had a line end.
class SceneCopy {
  public:
    SceneCopy(LineReader& in, TextWriter& out) : in_(in), out_(out) {}

    bool Read() { return in_.ReadLine(line_, hasLineEnd_); }
    const std::string& Line() const { return line_; }
    void CopyLine() {
        out_.Write(line_);
        if (hasLineEnd_) out_.Write("\r\n");
    }

  private:
    LineReader& in_;
    TextWriter& out_;
    std::string line_;
    bool hasLineEnd_ = false;
};

void WriteCameraKeys(TextWriter& out, const std::vector<CameraRecord>& cameras) {
    out.WriteLine("  9");
    out.WriteLine("  " + std::to_string(cameras.size() + 1));
}

void WriteZoomEnvelope(TextWriter& out, const std::vector<CameraRecord>& cameras) {
    out.WriteLine("ZoomFactor (envelope)");
    out.WriteLine("  1");
    out.WriteLine("  " + std::to_string(cameras.size() + 1));
    out.WriteLine("  1");
    out.WriteLine("  0 0 0 0 0");  // key 0: zoom 1 at frame 0
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        out.WriteLine("  " + support::FormatG(cameras[i].zoomFactor));
        out.WriteLine("  " + std::to_string(i + 1) + " 0 0 0 0");
    }
    out.WriteLine("EndBehavior 1");
}

// Drops lines up to the first one that names an end behaviour. That must be the "EndBehavior 1"
// that closes this block: any other one belongs to a later item, whose lines must not be lost.
bool DropToEndBehavior(SceneCopy& scene) {
    while (scene.Read()) {
        if (Contains(scene.Line(), "EndBehavior")) return Contains(scene.Line(), "EndBehavior 1");
    }
    return false;
}

}  // namespace

support::Status RewriteSceneCameras(LineReader& in, TextWriter& out,
                                    const std::vector<CameraRecord>& cameras,
                                    const std::string& lwsName) {
    SceneCopy scene(in, out);
    // A read error must not pass for a scene that lacks a block.
    const auto stop = [&](const std::string& message) {
        return support::Status::Fail(in.Failed() ? "Can't read " + lwsName
                                                 : message + " in " + lwsName);
    };

    bool found = false;
    while (!found && scene.Read()) {
        scene.CopyLine();
        found = Contains(scene.Line(), "CameraMotion (unnamed)");
    }
    if (!found) return stop("Can't find camera block");

    WriteCameraKeys(out, cameras);
    // The old channel and key counts go; the old first key (value and frame line) stays key 0.
    for (int i = 0; i < 2; ++i) scene.Read();
    for (int i = 0; i < 2; ++i) {
        if (scene.Read()) scene.CopyLine();
    }
    std::string key;
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        const CameraRecord& c = cameras[i];
        key = " ";
        for (const float value : {c.x, c.y, c.z, c.heading, c.pitch, c.bank}) {
            key += ' ';
            support::AppendG(key, value);
        }
        out.WriteLine(key + " 1 1 1");
        out.WriteLine("  " + std::to_string(i + 1) + " 0 0 0 0");
    }
    if (!DropToEndBehavior(scene)) return stop("Can't find end of camera block");
    scene.CopyLine();

    found = false;
    while (!found && scene.Read()) {
        found = Contains(scene.Line(), "ZoomFactor");
        if (!found) scene.CopyLine();
    }
    if (!found) return stop("Can't find camera zoomfactor envelope block");
    // "ZoomFactor (envelope)" is followed by its keys; a constant zoom is its one line.
    if (Contains(scene.Line(), "velope") && !DropToEndBehavior(scene)) {
        return stop("Can't find end of camera zoomfactor envelope block");
    }
    WriteZoomEnvelope(out, cameras);

    while (scene.Read()) scene.CopyLine();
    if (in.Failed()) return support::Status::Fail("Can't read " + lwsName);
    return support::Status::Ok();
}

support::Status WriteSceneCameras(const std::string& lwsName, const std::string& tempName,
                                  const std::vector<CameraRecord>& cameras, std::ostream& console) {
    LineReader in(lwsName);
    if (!in.IsOpen()) return support::Status::Fail("Can't open " + lwsName);
    std::error_code ec;
    if (std::filesystem::equivalent(lwsName, tempName, ec)) {
        return support::Status::Fail("Can't create " + tempName + ": it is the scene " + lwsName);
    }
    TextWriter out(tempName);
    if (!out.IsOpen()) return support::Status::Fail("Can't create " + tempName);
    if (support::Status rewritten = RewriteSceneCameras(in, out, cameras, lwsName);
        !rewritten.ok()) {
        return rewritten;
    }
    if (!out.Close()) return support::Status::Fail("Can't write " + tempName);
    console << "  Created " << cameras.size() << " camera keyframes\n";
    return support::Status::Ok();
}

}  // namespace camweave
