#pragma once
#include <string>

#include "hostsdk/scene.h"
#include "hostsdk/time.h"
#include "hostsdk/ui.h"

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// The work function handed to the progress display; the plug-ins pass one that does nothing.
using ProgressWorkFn = unsigned long (*)(void* arg);

// Directory codes of HostInterface::GetDir.
inline constexpr int kDirPlugConfig = 9;

// The host application as the plug-ins see it.
class HostInterface {
  public:
    virtual ~HostInterface() = default;

    virtual Interval GetAnimRange() = 0;
    virtual TimeValue GetTime() = 0;
    virtual SceneNode* GetRootNode() = 0;
    // A host directory by code; kDirPlugConfig is the plug-in configuration directory.
    virtual const char* GetDir(int which) = 0;

    // The progress display. The work runs on the caller's thread between start and end.
    virtual bool ProgressStart(const char* title, bool showBar, ProgressWorkFn fn, void* arg) = 0;
    virtual void ProgressUpdate(int percent, bool showPercent = true,
                                const char* title = nullptr) = 0;
    virtual void ProgressEnd() = 0;
    // Whether the user asked to cancel the operation under way.
    virtual bool GetCancel() = 0;
    virtual void SetCancel(bool cancel) = 0;

    virtual WindowHandle GetMainWindow() = 0;
    // The folder chooser: true with the chosen folder in `folder`.
    virtual bool ChooseDirectory(WindowHandle owner, const char* title, std::string& folder,
                                 const char* description) = 0;

    // Utility panel pages.
    virtual WindowHandle AddRollupPage(ModuleHandle module, int templateId, DialogProc proc,
                                       const char* title, LParam param = 0, unsigned flags = 0) = 0;
    virtual void DeleteRollupPage(WindowHandle page) = 0;
    virtual void DisableAccelerators() = 0;
    virtual void EnableAccelerators() = 0;
};

// The host's custom controls set-up, called by each library at load; counts its calls.
void InitCustomControls(ModuleHandle module);
int CustomControlsInitCount();

#pragma GCC visibility pop
