#pragma once
// The host interface plughost hands to the plug-ins: scene access, times, folders, progress,
// the cancel flag (Ctrl-C or a test's cancel point), folder chooser, utility panel pages and the
// current renderer (both interface generations).
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "hostsdk/host.h"
#include "plughost/host_renderer.h"
#include "plughost/progress_display.h"
#include "plughost/scene.h"

namespace plughost {

// Whether Ctrl-C was pressed, or SIGTERM or SIGHUP arrived, since the last reset.
bool Interrupted();
// The signal that did it (SIGINT, SIGTERM, SIGHUP), or 0.
int InterruptSignal();

struct HostSettings {
    Interval range{0, 0};
    TimeValue time = 0;
    std::string plugcfgDir;            // what directory query 9 answers
    std::string otherDir;              // what every other directory query answers
    std::ostream* messages = nullptr;  // the renderer's faults and warnings; null: standard error
};

class PlugHost : public HostInterface {
  public:
    PlugHost(Scene& scene, HostSettings settings, ProgressDisplay& progress);
    ~PlugHost() override;

    Interval GetAnimRange() override { return settings_.range; }
    TimeValue GetTime() override { return settings_.time; }
    SceneNode* GetRootNode() override { return scene_.root.get(); }
    const char* GetDir(int which) override;

    bool ProgressStart(const char* title, bool showBar, ProgressWorkFn fn, void* arg) override;
    void ProgressUpdate(int percent, bool showPercent = true, const char* title = nullptr) override;
    void ProgressEnd() override;
    bool GetCancel() override;
    void SetCancel(bool cancel) override;

    WindowHandle GetMainWindow() override { return nullptr; }
    bool ChooseDirectory(WindowHandle owner, const char* title, std::string& folder,
                         const char* description) override;
    WindowHandle AddRollupPage(ModuleHandle module, int templateId, DialogProc proc,
                               const char* title, LParam param = 0, unsigned flags = 0) override;
    void DeleteRollupPage(WindowHandle page) override;
    void DisableAccelerators() override { ++acceleratorsOff_; }
    void EnableAccelerators() override { --acceleratorsOff_; }

    int OpenCurrentRenderer(SceneNode* camera, Viewport* viewport) override;
    int OpenCurrentRenderer(ViewParams5* view) override;
    int CurrentRendererRenderFrame(TimeValue t, Bitmap* bitmap, RenderProgressCallback* progress,
                                   float frameDuration, ViewParams5* view) override;
    int OpenCurrentRenderer(SceneNode* camera, Viewport* viewport, RenderType type, int width,
                            int height) override;
    int OpenCurrentRenderer(ViewParams7* view, RenderType type, int width, int height) override;
    int CurrentRendererRenderFrame(TimeValue t, Bitmap* bitmap, RenderProgressCallback* progress,
                                   float frameDuration, ViewParams7* view,
                                   const RenderRegion* region) override;
    void CloseCurrentRenderer() override;

    // Sets the cancel flag once the progress display shows `title` at `percent` or more.
    void SetCancelPoint(const std::string& title, int percent);
    // Sets the cancel flag at the given GetCancel call (1 = the first).
    void SetCancelAtPoll(int poll) { cancelAtPoll_ = poll; }

    // The cancel flag as it stands, without counting as a query.
    bool CancelRequested() const { return cancel_ || Interrupted(); }
    // Utility panel pages now open, oldest first.
    const std::vector<WindowHandle>& Pages() const { return pages_; }
    int AcceleratorsDisabled() const { return acceleratorsOff_; }
    // Whether a progress display was started and not ended.
    bool ProgressRunning() const { return progress_.Running(); }
    // The renderer behind the renderer calls; made at the first of them.
    HostRenderer& Renderer();
    bool RendererOpen() const { return renderer_ && renderer_->IsOpen(); }

  private:
    void CheckCancelPoint();
    template <typename Record>
    int OpenForRecord(Record* view, RenderType type, int width, int height);
    template <typename Record>
    int Render(TimeValue t, Bitmap* bitmap, RenderProgressCallback* progress, Record* view,
               const RenderRegion* region);

    Scene& scene_;
    HostSettings settings_;
    ProgressDisplay& progress_;
    bool cancel_ = false;
    std::string cancelTitle_;
    int cancelPercent_ = -1;
    bool cancelPointFired_ = false;
    int cancelAtPoll_ = 0;
    int polls_ = 0;
    std::vector<WindowHandle> pages_;
    int acceleratorsOff_ = 0;
    std::unique_ptr<HostRenderer> renderer_;
};

// Ctrl-C, SIGTERM and SIGHUP set the cancel flag of the running host while this is alive; a
// second one before the flag is cleared ends the process as usual.
class InterruptGuard {
  public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
};

// ResetInterrupt clears the Ctrl-C flag and re-arms the handler.
void ResetInterrupt();

}  // namespace plughost
