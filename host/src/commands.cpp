#include "plughost/commands.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "plughost/bitmap_manager.h"
#include "plughost/folders.h"
#include "plughost/host_app.h"
#include "plughost/output_check.h"
#include "plughost/plugin_registry.h"
#include "plughost/scene_import.h"
#include "plughost/windowed_front_end.h"

namespace plughost {

namespace {

class NoExportScene : public ExportSceneInterface {};

// "; it was cancelled" (with the signal that did it), or nothing.
std::string CancelNote(const PlugHost& host) {
    if (!host.CancelRequested()) return {};
    switch (InterruptSignal()) {
        case SIGTERM:
            return "; it was cancelled by SIGTERM";
        case SIGHUP:
            return "; it was cancelled by SIGHUP";
        case SIGINT:
            return "; it was cancelled by Ctrl-C";
        default:
            return "; it was cancelled";
    }
}

// "; " and what kept the output from being written, seen before or after the export.
std::string OutputNote(const std::string& before, const std::string& outputPath) {
    std::string problem = before.empty() ? OutputProblem(outputPath) : before;
    return problem.empty() ? "" : ": " + problem;
}

class Panel : public UtilityPanel {
  public:
    void CloseUtility() override { closed = true; }
    bool closed = false;
};

// Everything an export or a utility run needs, set up in order and taken down in reverse:
// the plug-ins go first, then the driver and the bitmap manager they were handed.
class Session {
  public:
    ~Session() {
        registry_.reset();
        if (driverInstalled_) SetUiDriver(previousDriver_);
        if (managerInstalled_) TheManager = previousManager_;
    }

    // False after writing the reason to `err`; `status` is then the exit status.
    bool Open(const std::string& scenePath, const RunOptions& options, std::ostream& err,
              int& status) {
        status = kExitUsage;
        std::vector<UiAction> actions;
        try {
            actions = BuildUiActions(options.convenience, options.uiScript);
        } catch (const std::invalid_argument& e) {
            err << "plughost: --ui: " << e.what() << "\n";
            return false;
        }
        if (options.gui && !actions.empty()) {
            err << "plughost: --gui shows the dialogs to a user; it takes no --ui actions or "
                   "options that fill the dialogs\n";
            return false;
        }
        SceneLoadResult loaded = OpenSceneFile(scenePath, options.import);
        for (const auto& w : loaded.warnings) err << "plughost: warning: " << w << "\n";
        if (!loaded.scene) {
            err << "plughost: " << loaded.error << "\n";
            return false;
        }
        scene_ = std::move(loaded.scene);
        SetTicksPerFrame(scene_->ticksPerFrame);

        HostSettings settings;
        settings.range = scene_->range;
        settings.time = scene_->time;
        // Command-line times follow the scene file's rules: a frame whose ticks do not fit the
        // host's time is refused, never clamped.
        const int tpf = scene_->ticksPerFrame;
        if (options.range) {
            if (!FrameFitsTicks(options.range->first, tpf) ||
                !FrameFitsTicks(options.range->second, tpf)) {
                err << "plughost: --range: frame out of range\n";
                return false;
            }
            settings.range = {FramesToTicks(options.range->first, tpf),
                              FramesToTicks(options.range->second, tpf)};
            if (settings.range.end < settings.range.start) {
                err << "plughost: --range: the end frame is before the start frame\n";
                return false;
            }
        }
        if (options.frame) {
            if (!FrameFitsTicks(*options.frame, tpf)) {
                err << "plughost: --frame: frame out of range\n";
                return false;
            }
            settings.time = FramesToTicks(*options.frame, tpf);
            if (settings.time < settings.range.start || settings.time > settings.range.end)
                err << "plughost: warning: --frame " << *options.frame
                    << " lies outside the animation range\n";
        }
        std::string error;
        if (!EnsureFolder(options.plugcfgDir, error)) {
            err << "plughost: plug-in configuration folder " << error << "\n";
            return false;
        }
        settings.plugcfgDir = options.plugcfgDir;
        settings.otherDir = scene_->folder;

        if (options.gui) {
            gui_ = OpenWindowedFrontEnd(error);
            if (!gui_) {
                err << "plughost: --gui: " << error << "\n";
                return false;
            }
        }
        progress_ = std::make_unique<ProgressDisplay>(std::cerr, isatty(STDERR_FILENO) != 0);
        if (gui_) progress_->SetListener(&gui_->Progress());
        host_ = std::make_unique<PlugHost>(*scene_, settings, *progress_);
        if (!options.cancelAt.empty()) {
            std::string title;
            int percent = 0;
            if (!ParseCancelPoint(options.cancelAt, title, percent)) {
                err << "plughost: cancel point \"" << options.cancelAt
                    << "\" is not of the form TITLE:PERCENT\n";
                return false;
            }
            host_->SetCancelPoint(title, percent);
        }
        host_->SetCancelAtPoll(options.cancelAtPoll);

        bitmaps_ = std::make_unique<HostBitmapManager>(scene_->folder);
        previousManager_ = TheManager;
        TheManager = bitmaps_.get();
        managerInstalled_ = true;
        driver_ = std::make_unique<ScriptedUiDriver>(std::move(actions));
        previousDriver_ = gui_ ? SetUiDriver(&gui_->Driver()) : SetUiDriver(driver_.get());
        driverInstalled_ = true;

        registry_ = std::make_unique<PluginRegistry>();
        std::vector<std::string> errors;
        const bool folderRead = registry_->LoadFolder(options.pluginsDir, errors);
        for (const auto& e : errors) err << "plughost: " << e << "\n";
        if (!folderRead) return false;
        liveObjectsBefore_ = LiveConvertedObjects();
        liveBitmapsBefore_ = LiveBitmaps();
        status = kExitOk;
        return true;
    }

    // Notes what the plug-in left behind that it should not have.
    void Review(std::ostream& err) {
        if (host_->ProgressRunning()) {
            err << "plughost: warning: the plug-in left the progress display running\n";
            host_->ProgressEnd();
        }
        if (host_->RendererOpen()) {
            err << "plughost: warning: the plug-in left the renderer open\n";
            host_->CloseCurrentRenderer();
        }
        if (const auto n = driver_->PendingActions(); n > 0)
            err << "plughost: warning: " << n << " --ui action" << (n == 1 ? " was" : "s were")
                << " not used\n";
        if (const int n = LiveConvertedObjects() - liveObjectsBefore_; n != 0)
            err << "plughost: warning: " << n
                << " object(s) made by a conversion were not released with DeleteThis\n";
        if (const int n = LiveBitmaps() - liveBitmapsBefore_; n != 0)
            err << "plughost: warning: " << n << " bitmap(s) were not released with DeleteThis\n";
    }

    PlugHost& Host() { return *host_; }
    ScriptedUiDriver& Driver() { return *driver_; }
    PluginRegistry& Registry() { return *registry_; }
    // The windows of --gui, or null.
    WindowedFrontEnd* Gui() { return gui_.get(); }

  private:
    // Declared first so that it goes last: the plug-ins' windows close before it.
    std::unique_ptr<WindowedFrontEnd> gui_;
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<ProgressDisplay> progress_;
    std::unique_ptr<PlugHost> host_;
    std::unique_ptr<HostBitmapManager> bitmaps_;
    std::unique_ptr<ScriptedUiDriver> driver_;
    std::unique_ptr<PluginRegistry> registry_;
    BitmapManager* previousManager_ = nullptr;
    UiDriver* previousDriver_ = nullptr;
    bool managerInstalled_ = false;
    bool driverInstalled_ = false;
    int liveObjectsBefore_ = 0;
    int liveBitmapsBefore_ = 0;
};

}  // namespace

int RunList(const std::string& pluginsDir, std::ostream& out, std::ostream& err) {
    PluginRegistry registry;
    std::vector<std::string> errors;
    const bool folderRead = registry.LoadFolder(pluginsDir, errors);
    for (const auto& e : errors) err << "plughost: " << e << "\n";
    if (!folderRead) return kExitUsage;
    if (registry.Libraries().empty())
        err << "plughost: no plug-in libraries in " << pluginsDir << "\n";
    PrintPluginList(registry, out);
    out.flush();
    if (!out) {
        err << "plughost: cannot write the list to standard output\n";
        return kExitFailed;
    }
    return kExitOk;
}

int RunExport(const std::string& scenePath, const std::string& outputPath,
              const RunOptions& options, std::ostream& err) {
    const std::string extension = PathExtension(outputPath);
    if (extension.empty()) {
        err << "plughost: " << outputPath
            << ": the output file has no extension to choose an exporter by\n";
        return kExitUsage;
    }
    RunOptions withTextures = options;
    if (withTextures.import.embeddedTextureFolder.empty())
        withTextures.import.embeddedTextureFolder = SceneFolderOf(outputPath);
    Session session;
    int status;
    if (!session.Open(scenePath, withTextures, err, status)) return status;
    const PluginClass found = session.Registry().FindExporter(extension);
    if (!found.descriptor) {
        err << "plughost: no exporter for the extension \"" << extension << "\" in "
            << options.pluginsDir << "\n";
        return kExitUsage;
    }
    ExporterPtr exporter = CreateExporter(found.descriptor);
    if (!exporter) {
        err << "plughost: " << found.library->FileName() << ": the exporter could not be created\n";
        return kExitFailed;
    }
    const std::string before = OutputProblem(outputPath);
    InterruptGuard interrupts;
    NoExportScene exportScene;
    int result = 0;
    try {
        result = exporter->DoExport(outputPath.c_str(), &exportScene, &session.Host(), false);
    } catch (const std::exception& e) {
        err << "plughost: the export stopped with an exception: " << e.what() << "\n";
        result = 0;
    }
    exporter.reset();
    session.Review(err);
    // The driver closes a dialog whose OK was refused with Cancel, which an exporter takes for
    // the user's Cancel and reports as success: a script that asked for OK did not get it.
    bool refused = false;
    for (const auto& refusal : session.Driver().Refusals()) {
        if (refusal.depth == 0) {
            err << "plughost: the options dialog refused OK: " << refusal.reason << "\n";
            refused = true;
        } else {
            err << "plughost: warning: the \"" << refusal.title
                << "\" dialog refused OK: " << refusal.reason << "\n";
        }
    }
    if (refused) return kExitFailed;
    if (result == 1) return kExitOk;
    err << "plughost: the export to " << outputPath << " failed (the exporter returned " << result
        << CancelNote(session.Host()) << ")" << OutputNote(before, outputPath) << "\n";
    return kExitFailed;
}

int RunUtility(const std::string& className, const std::string& scenePath,
               const RunOptions& options, std::ostream& err) {
    Session session;
    int status;
    if (!session.Open(scenePath, options, err, status)) return status;
    const PluginClass found = session.Registry().FindUtility(className, options.library);
    if (!found.descriptor) {
        err << "plughost: no utility class named \"" << className << "\" in "
            << (options.library.empty() ? "" : options.library + " in ") << options.pluginsDir
            << "\n";
        return kExitUsage;
    }
    auto* utility = static_cast<UtilityPlugin*>(found.descriptor->Create(false));
    if (!utility) {
        err << "plughost: " << found.library->FileName() << ": the utility could not be created\n";
        return kExitFailed;
    }
    InterruptGuard interrupts;
    PlugHost& host = session.Host();
    Panel panel;
    try {
        utility->BeginEditParams(&host, &panel);
        if (!panel.closed && session.Gui()) {
            // The user works the panel until they close the main window.
            std::vector<PanelPage> pages;
            for (WindowHandle page : host.Pages()) pages.push_back({page, host.PageTitle(page)});
            session.Gui()->RunUtilityWindow(host, pages,
                                            std::filesystem::path(scenePath).filename().string(),
                                            [&panel] { return panel.closed; });
        } else if (!panel.closed) {
            if (!host.Pages().empty()) {
                session.Driver().ApplyToPage(host.Pages().back());
            } else if (session.Driver().PendingActions() > 0) {
                err << "plughost: warning: the utility opened no panel page for the --ui actions\n";
            }
        }
        utility->EndEditParams(&host, &panel);
    } catch (const std::exception& e) {
        err << "plughost: the utility stopped with an exception: " << e.what() << "\n";
    }
    utility->DeleteThis();
    // Pages the utility did not take down are the host's to close.
    while (!host.Pages().empty()) host.DeleteRollupPage(host.Pages().back());
    session.Review(err);
    return kExitOk;
}

}  // namespace plughost
