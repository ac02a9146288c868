#pragma once
// plughost's commands: list the plug-ins, run an export, run a utility panel, render a camera.
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "plughost/scene_import.h"
#include "plughost/ui_options.h"

namespace plughost {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the export returned 0
inline constexpr int kExitUsage = 2;   // bad command line, scene or plug-in choice

struct RunOptions {
    std::string pluginsDir;                          // resolved by the caller
    std::string plugcfgDir;                          // resolved by the caller
    std::optional<double> frame;                     // --frame, in frames
    std::optional<std::pair<double, double>> range;  // --range, in frames
    std::string uiScript;                            // --ui
    ConvenienceOptions convenience;
    // --embedded-textures, --merge-skins; an export writes embedded images beside its output
    // unless told otherwise.
    ImportOptions import;
    std::string cancelAt;  // "title:percent": set the cancel flag there (tests)
    int cancelAtPoll = 0;  // set the cancel flag at this GetCancel call (tests)
};

int RunList(const std::string& pluginsDir, std::ostream& out, std::ostream& err);
int RunExport(const std::string& scenePath, const std::string& outputPath,
              const RunOptions& options, std::ostream& err);
int RunUtility(const std::string& className, const std::string& scenePath,
               const RunOptions& options, std::ostream& err);

struct RenderCommandOptions {
    std::string camera;  // --camera; empty: the first camera in scene order
    int width = 640;     // --size
    int height = 480;
    std::optional<double> frame;  // --frame, in frames; default the scene's time
};

// Renders one camera of the scene to a 16-bit RGBA PNG file. Exit status 0 when the file was
// written, 1 when rendering or writing failed, 2 for a scene that cannot be loaded or a camera
// that is not there.
int RunRender(const std::string& scenePath, const std::string& outputPath,
              const RenderCommandOptions& options, std::ostream& err);
// "640x480" as a width and height of at least one pixel each; false for anything else.
bool ParseRenderSize(const std::string& text, int& width, int& height);

// Parses the command line and runs the command; returns the exit status.
int RunCommandLine(int argc, char** argv);

}  // namespace plughost
