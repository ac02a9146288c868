#include "progress_window.h"

#include <FL/Fl.H>

#include "windowed_driver.h"

namespace plughost::gui {

namespace {
constexpr int kWidth = 360, kHeight = 96, kMargin = 12, kFontSize = 11;
}

ProgressWindow::ProgressWindow() = default;
ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::OnCancel(Fl_Widget*, void* data) {
    auto* self = static_cast<ProgressWindow*>(data);
    self->cancelAsked_ = true;
    self->cancel_->deactivate();
    self->cancel_->label("Cancelling");
}

void ProgressWindow::Shown(const std::string& title, int percent, bool showBar) {
    if (!window_) {
        window_ = std::make_unique<Fl_Double_Window>(kWidth, kHeight, "Progress");
        window_->begin();
        bar_ = new Fl_Progress(kMargin, kMargin + 18, kWidth - 2 * kMargin, 20);
        bar_->minimum(0);
        bar_->maximum(100);
        bar_->selection_color(FL_DARK_BLUE);
        bar_->labelsize(kFontSize);
        bar_->align(FL_ALIGN_TOP_LEFT);
        cancel_ = new Fl_Button(kWidth - kMargin - 80, kHeight - kMargin - 24, 80, 24, "Cancel");
        cancel_->labelsize(kFontSize);
        cancel_->callback(&ProgressWindow::OnCancel, this);
        window_->end();
        // Escape and the close button ask to cancel as the button does.
        window_->callback(&ProgressWindow::OnCancel, this);
        window_->set_modal();
        cancelAsked_ = false;
        cancel_->activate();
        ShowCentred(*window_);
        if (onShown) onShown(*window_, nullptr);
    }
    if (title != title_) {
        title_ = title;
        bar_->copy_label(title_.c_str());
        window_->copy_label(title_.c_str());
    }
    if (showBar)
        bar_->show();
    else
        bar_->hide();
    bar_->value(static_cast<float>(percent));
    window_->redraw();
    Fl::check();
}

void ProgressWindow::Ended() {
    if (!window_) return;
    window_->hide();
    window_.reset();
    title_.clear();
    Fl::check();
}

bool ProgressWindow::CancelAsked() {
    if (window_) Fl::check();
    return cancelAsked_;
}

}  // namespace plughost::gui
