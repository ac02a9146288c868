#pragma once
// The UI layer's driver for real windows: each modal dialog runs in its own modal window until
// its procedure ends it; message boxes are modal windows with one OK button; the folder
// chooser is FLTK's folder dialog.
#include <FL/Fl_Double_Window.H>

#include <functional>
#include <string>

#include "hostsdk/ui.h"

namespace plughost::gui {

class WindowedUiDriver : public UiDriver {
  public:
    void RunModal(WindowHandle dialog) override;
    int ShowMessage(WindowHandle owner, const std::string& text, const std::string& caption,
                    unsigned flags) override;
    bool ChooseFolder(WindowHandle owner, const std::string& title, std::string& folder) override;
    void PageClosing(WindowHandle page) override {
        if (onPageClosing) onPageClosing(page);
    }

    // Told of a page about to be destroyed, so that its widgets go first.
    std::function<void(WindowHandle page)> onPageClosing;

    // Called once each window is on screen (the dialog's record, or null for a message box).
    std::function<void(Fl_Window& window, WindowHandle dialog)> onShown;
};

// Puts a window in the middle of the screen and shows it, then waits until it is mapped so
// that what follows (a test's input, a screenshot) finds it there.
void ShowCentred(Fl_Window& window);

}  // namespace plughost::gui
