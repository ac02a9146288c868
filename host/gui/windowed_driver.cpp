#include "windowed_driver.h"

#include <FL/Fl.H>
#include <FL/Fl_Native_File_Chooser.H>

#include <cstdio>

#include "dialog_view.h"
#include "message_window.h"

namespace plughost::gui {

namespace {

// A modal dialog's window. Escape cancels it (the Cancel command, as the dialog manager sends
// it); the window's close button sends the close message, which the procedures answer.
class DialogWindow : public Fl_Double_Window {
  public:
    explicit DialogWindow(WindowHandle dialog) : Fl_Double_Window(100, 100), dialog_(dialog) {
        begin();
        view_ = std::make_unique<DialogView>(dialog, 0, 0);
        end();
        size(view_->Width(), view_->Height());
        copy_label(GetWindowText(dialog).c_str());
        callback(&DialogWindow::OnClose, this);
    }
    ~DialogWindow() override {
        // The widgets go before the record they show.
        view_.reset();
    }
    DialogView& View() { return *view_; }
    void RefreshTitle() {
        const std::string title = GetWindowText(dialog_);
        if (!label() || title != label()) copy_label(title.c_str());
    }

  private:
    static void OnClose(Fl_Widget*, void* data) {
        auto* self = static_cast<DialogWindow*>(data);
        const bool escape = Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape;
        if (escape || !SendDialogMessage(self->dialog_, kMsgClose, 0, 0))
            ui_actions::Cancel(self->dialog_);
        DialogView::RefreshAll();
    }

    WindowHandle dialog_;
    std::unique_ptr<DialogView> view_;
};

}  // namespace

void ShowCentred(Fl_Window& window) {
    int sx, sy, sw, sh;
    Fl::screen_work_area(sx, sy, sw, sh);
    window.position(sx + (sw - window.w()) / 2, sy + (sh - window.h()) / 2);
    window.show();
    window.wait_for_expose();
    Fl::flush();
}

void WindowedUiDriver::RunModal(WindowHandle dialog) {
    DialogWindow window(dialog);
    window.set_modal();
    ShowCentred(window);
    window.View().FocusFirst();
    DialogView::RefreshAll();
    if (onShown) onShown(window, dialog);
    while (IsDialogOpen(dialog) && window.shown()) {
        Fl::wait();
        window.RefreshTitle();
    }
    // A window that went away without its procedure ending the dialog was cancelled.
    if (IsDialogOpen(dialog)) ui_actions::Cancel(dialog);
    window.hide();
    Fl::flush();
}

int WindowedUiDriver::ShowMessage(WindowHandle, const std::string& text, const std::string& caption,
                                  unsigned flags) {
    // Scripts and tests read the message on standard error too.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    MessageWindow window(text, caption, (flags & kMbIconWarning) != 0);
    window.set_modal();
    ShowCentred(window);
    if (onShown) onShown(window, nullptr);
    while (window.shown()) Fl::wait();
    DialogView::RefreshAll();
    return kIdOk;
}

bool WindowedUiDriver::ChooseFolder(WindowHandle, const std::string& title, std::string& folder) {
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_DIRECTORY);
    chooser.title(title.c_str());
    if (!folder.empty()) chooser.directory(folder.c_str());
    const bool chosen = chooser.show() == 0 && chooser.filename() && *chooser.filename();
    if (chosen) folder = chooser.filename();
    DialogView::RefreshAll();
    return chosen;
}

}  // namespace plughost::gui
