#include "plughost/host_app.h"

#include <algorithm>
#include <csignal>
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

}  // namespace plughost
