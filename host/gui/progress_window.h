#pragma once
// The progress display as a small modal window: the phase title, a bar and a Cancel button.
// It appears at the first phase and goes at the end; the events that reach it are handled
// whenever the progress changes or the host polls its cancel flag.
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Progress.H>

#include <functional>
#include <memory>
#include <string>

#include "hostsdk/ui.h"
#include "plughost/progress_display.h"

namespace plughost::gui {

class ProgressWindow : public ProgressListener {
  public:
    ProgressWindow();
    ~ProgressWindow() override;

    void Shown(const std::string& title, int percent, bool showBar) override;
    void Ended() override;
    bool CancelAsked() override;

    std::function<void(Fl_Window& window, WindowHandle dialog)> onShown;
    Fl_Window* Window() { return window_.get(); }

  private:
    static void OnCancel(Fl_Widget*, void* self);

    std::unique_ptr<Fl_Double_Window> window_;
    Fl_Progress* bar_ = nullptr;
    Fl_Button* cancel_ = nullptr;
    std::string title_;
    bool cancelAsked_ = false;
};

}  // namespace plughost::gui
