#pragma once
#include <string>

#include "hostsdk/renderer.h"
#include "hostsdk/scene.h"
#include "hostsdk/time.h"
#include "hostsdk/ui.h"

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

class Bitmap;

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

    // The current renderer, in the calls of both interface generations (renderer.h). It is
    // opened for a camera node (viewport null) or for a view record, renders frames of the
    // scene into bitmaps and is closed again. Opening and rendering return nonzero on success.
    // A host without a renderer refuses to open, which is what these defaults do.
    //
    // Generation 5.
    virtual int OpenCurrentRenderer(SceneNode* /*camera*/, Viewport* /*viewport*/) { return 0; }
    virtual int OpenCurrentRenderer(ViewParams5* /*view*/) { return 0; }
    // Renders the frame at time t into the bitmap, through the opened view or, when `view` is
    // given, through that one.
    virtual int CurrentRendererRenderFrame(TimeValue /*t*/, Bitmap* /*bitmap*/,
                                           RenderProgressCallback* /*progress*/,
                                           float /*frameDuration*/, ViewParams5* /*view*/) {
        return 0;
    }
    // Generation 7: the open also takes the render type and the output size (0 and 0: the
    // size of each frame's bitmap); the render also takes a region (null: the whole bitmap).
    virtual int OpenCurrentRenderer(SceneNode* /*camera*/, Viewport* /*viewport*/,
                                    RenderType /*type*/, int /*width*/, int /*height*/) {
        return 0;
    }
    virtual int OpenCurrentRenderer(ViewParams7* /*view*/, RenderType /*type*/, int /*width*/,
                                    int /*height*/) {
        return 0;
    }
    virtual int CurrentRendererRenderFrame(TimeValue /*t*/, Bitmap* /*bitmap*/,
                                           RenderProgressCallback* /*progress*/,
                                           float /*frameDuration*/, ViewParams7* /*view*/,
                                           const RenderRegion* /*region*/) {
        return 0;
    }
    // Both generations.
    virtual void CloseCurrentRenderer() {}
};

// The host's custom controls set-up, called by each library at load; counts its calls.
void InitCustomControls(ModuleHandle module);
int CustomControlsInitCount();

#pragma GCC visibility pop
