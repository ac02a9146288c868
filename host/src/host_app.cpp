#include "plughost/host_app.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <iterator>

namespace plughost {

namespace {

// Ctrl-C, and the termination and hang-up signals a shell or a session manager sends, all ask
// the export under way to cancel, so that it cleans up after itself.
constexpr int kCancelSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t interrupted = 0;
bool guardActive = false;
struct sigaction previousActions[std::size(kCancelSignals)];

extern "C" void OnInterrupt(int signal) {
    interrupted = signal;
}

void ArmHandler() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // One-shot: the next signal gets the default action unless the flag is cleared first.
    action.sa_flags = SA_RESETHAND;
    for (int signal : kCancelSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

bool Interrupted() {
    return interrupted != 0;
}

int InterruptSignal() {
    return interrupted;
}

void ResetInterrupt() {
    interrupted = 0;
    if (guardActive) ArmHandler();
}

InterruptGuard::InterruptGuard() {
    for (std::size_t i = 0; i < std::size(kCancelSignals); ++i)
        sigaction(kCancelSignals[i], nullptr, &previousActions[i]);
    guardActive = true;
    interrupted = 0;
    ArmHandler();
}

InterruptGuard::~InterruptGuard() {
    for (std::size_t i = 0; i < std::size(kCancelSignals); ++i)
        sigaction(kCancelSignals[i], &previousActions[i], nullptr);
    guardActive = false;
}

PlugHost::PlugHost(Scene& scene, HostSettings settings, ProgressDisplay& progress)
    : scene_(scene), settings_(std::move(settings)), progress_(progress) {}

PlugHost::~PlugHost() = default;

const char* PlugHost::GetDir(int which) {
    return which == kDirPlugConfig ? settings_.plugcfgDir.c_str() : settings_.otherDir.c_str();
}

bool PlugHost::ProgressStart(const char* title, bool showBar, ProgressWorkFn fn, void* arg) {
    progress_.Start(title ? title : "", showBar);
    CheckCancelPoint();
    // The work function runs once, on this thread, as the host's own progress display does.
    if (fn) fn(arg);
    return true;
}

void PlugHost::ProgressUpdate(int percent, bool, const char* title) {
    progress_.Update(percent, title);
    CheckCancelPoint();
}

void PlugHost::ProgressEnd() {
    progress_.End();
}

bool PlugHost::GetCancel() {
    ++polls_;
    if (cancelAtPoll_ > 0 && polls_ == cancelAtPoll_) cancel_ = true;
    if (Interrupted()) cancel_ = true;
    return cancel_;
}

void PlugHost::SetCancel(bool cancel) {
    cancel_ = cancel;
    if (!cancel) ResetInterrupt();
}

bool PlugHost::ChooseDirectory(WindowHandle owner, const char* title, std::string& folder,
                               const char*) {
    return ChooseFolder(owner, title ? title : "", folder);
}

WindowHandle PlugHost::AddRollupPage(ModuleHandle module, int templateId, DialogProc proc,
                                     const char*, LParam param, unsigned) {
    WindowHandle page = CreateDialogParam(module, templateId, GetMainWindow(), proc, param);
    if (page) pages_.push_back(page);
    return page;
}

void PlugHost::DeleteRollupPage(WindowHandle page) {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    DestroyWindow(page);
}

void PlugHost::SetCancelPoint(const std::string& title, int percent) {
    cancelTitle_ = title;
    cancelPercent_ = percent;
    cancelPointFired_ = false;
}

void PlugHost::CheckCancelPoint() {
    if (cancelPointFired_ || cancelPercent_ < 0 || !progress_.Running()) return;
    if (progress_.Title() == cancelTitle_ && progress_.Percent() >= cancelPercent_) {
        cancelPointFired_ = true;
        cancel_ = true;
    }
}

HostRenderer& PlugHost::Renderer() {
    if (!renderer_)
        renderer_ = std::make_unique<HostRenderer>(
            scene_.root.get(), settings_.messages ? *settings_.messages : std::cerr);
    return *renderer_;
}

// Both generations share the renderer; they differ only in the view record and in the
// arguments that the older one leaves at their defaults.
template <typename Record>
int PlugHost::OpenForRecord(Record* view, RenderType type, int width, int height) {
    HostRenderer& renderer = Renderer();
    RenderView rv;
    std::string error = "no view record to open for";
    if (view && ViewFromRecord(*view, rv, error)) return renderer.OpenView(rv, type, width, height);
    renderer.Close();
    return renderer.Report(error);
}

template <typename Record>
int PlugHost::Render(TimeValue t, Bitmap* bitmap, RenderProgressCallback* progress, Record* view,
                     const RenderRegion* region) {
    HostRenderer& renderer = Renderer();
    RenderView rv;
    std::string error;
    if (view && !ViewFromRecord(*view, rv, error)) return renderer.Report(error);
    return renderer.RenderFrame(t, bitmap, progress, view ? &rv : nullptr, region);
}

int PlugHost::OpenCurrentRenderer(SceneNode* camera, Viewport*) {
    return Renderer().OpenCamera(camera, GetTime(), kRenderTypeNormal, 0, 0) ? 1 : 0;
}

int PlugHost::OpenCurrentRenderer(ViewParams5* view) {
    return OpenForRecord(view, kRenderTypeNormal, 0, 0);
}

int PlugHost::CurrentRendererRenderFrame(TimeValue t, Bitmap* bitmap,
                                         RenderProgressCallback* progress, float,
                                         ViewParams5* view) {
    return Render(t, bitmap, progress, view, nullptr);
}

int PlugHost::OpenCurrentRenderer(SceneNode* camera, Viewport*, RenderType type, int width,
                                  int height) {
    return Renderer().OpenCamera(camera, GetTime(), type, width, height) ? 1 : 0;
}

int PlugHost::OpenCurrentRenderer(ViewParams7* view, RenderType type, int width, int height) {
    return OpenForRecord(view, type, width, height);
}

int PlugHost::CurrentRendererRenderFrame(TimeValue t, Bitmap* bitmap,
                                         RenderProgressCallback* progress, float, ViewParams7* view,
                                         const RenderRegion* region) {
    return Render(t, bitmap, progress, view, region);
}

void PlugHost::CloseCurrentRenderer() {
    if (renderer_) renderer_->Close();
}

}  // namespace plughost
