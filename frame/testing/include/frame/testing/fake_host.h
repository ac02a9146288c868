#pragma once
// An in-memory host for tests: animation range and time, a scene root, the plug-in
// configuration directory, a recorded progress display and a scripted cancel request.
#include <hostsdk/host.h>

#include <functional>
#include <string>
#include <vector>

namespace hostfakes {

class FakeHost : public HostInterface {
  public:
    // One call to the progress display.
    struct ProgressEvent {
        enum class Kind { Start, Update, End } kind;
        std::string title;  // Start
        int percent = 0;    // Update
    };

    Interval animRange{0, 0};
    TimeValue time = 0;
    SceneNode* root = nullptr;
    std::string plugConfigDir;

    // Cancel scripting: GetCancel() turns true on the poll with this number (1-based; 0 never),
    // or as soon as a progress phase with this title starts.
    long cancelOnPoll = 0;
    std::string cancelOnPhase;
    // Called at every progress start, with the title (to change the scene between passes).
    std::function<void(const std::string&)> onProgressStart;

    const std::vector<ProgressEvent>& Progress() const { return progress_; }
    // Titles of the progress starts, in order.
    std::vector<std::string> PhaseTitles() const;
    // Updates recorded after the start of the phase with this title (up to the next start).
    std::vector<int> PhasePercents(const std::string& title) const;
    long Polls() const { return polls_; }
    int AcceleratorsDisabled() const { return acceleratorsDisabled_; }

    Interval GetAnimRange() override { return animRange; }
    TimeValue GetTime() override { return time; }
    SceneNode* GetRootNode() override { return root; }
    const char* GetDir(int which) override;
    bool ProgressStart(const char* title, bool showBar, ProgressWorkFn fn, void* arg) override;
    void ProgressUpdate(int percent, bool showPercent = true, const char* title = nullptr) override;
    void ProgressEnd() override;
    bool GetCancel() override;
    void SetCancel(bool cancel) override { cancel_ = cancel; }
    WindowHandle GetMainWindow() override { return nullptr; }
    bool ChooseDirectory(WindowHandle owner, const char* title, std::string& folder,
                         const char* description) override;
    WindowHandle AddRollupPage(ModuleHandle module, int templateId, DialogProc proc,
                               const char* title, LParam param = 0, unsigned flags = 0) override;
    void DeleteRollupPage(WindowHandle page) override;
    void DisableAccelerators() override { ++acceleratorsDisabled_; }
    void EnableAccelerators() override { --acceleratorsDisabled_; }

  private:
    std::vector<ProgressEvent> progress_;
    bool cancel_ = false;
    long polls_ = 0;
    int acceleratorsDisabled_ = 0;
};

}  // namespace hostfakes
