#pragma once
// plughost's windows (--gui): the UI layer's dialogs and message boxes as real windows, the
// progress display as a small window with a Cancel button, and a main window whose side panel
// holds the utility's pages. Nothing here touches the display until Open is called, so scripted
// runs need none.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hostsdk/host.h"
#include "hostsdk/ui.h"
#include "plughost/progress_display.h"

class Fl_Window;

namespace plughost {

// A utility's page in the command panel, under its title.
struct PanelPage {
    WindowHandle page;
    std::string title;
};

class WindowedFrontEnd {
  public:
    virtual ~WindowedFrontEnd() = default;

    // Connects to the X display named by $DISPLAY; null with the reason in `error` when there
    // is none. Inside the front end's module; the host opens it with OpenWindowedFrontEnd.
    static std::unique_ptr<WindowedFrontEnd> Open(std::string& error);

    // The driver to install with SetUiDriver.
    virtual UiDriver& Driver() = 0;
    // The listener to give the progress display.
    virtual ProgressListener& Progress() = 0;
    // Shows the main window with the scene's nodes and the pages in its side panel, titled after
    // the scene, and returns when the user closes it or `closedByUtility` turns true.
    virtual void RunUtilityWindow(HostInterface& host, const std::vector<PanelPage>& pages,
                                  const std::string& sceneName,
                                  std::function<bool()> closedByUtility) = 0;

    // Called each time a dialog, message box or main window has been shown, with its window and
    // (for dialogs and pages) the dialog's record; tests inspect and drive it from here.
    std::function<void(Fl_Window& window, WindowHandle dialog)> onShown;
};

// Loads the front end's module (plughost-gui.so, which brings FLTK and X11 with it) and opens
// the front end; null with the reason when the module cannot be loaded or there is no display.
std::unique_ptr<WindowedFrontEnd> OpenWindowedFrontEnd(std::string& error);

}  // namespace plughost

// The name the module exports its opening function under.
#define PLUGHOST_GUI_MODULE_ENTRY "plughost_gui_module_open"
