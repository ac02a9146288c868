#include "message_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "gui_widgets.h"

namespace plughost::gui {

namespace {
constexpr int kMargin = 14, kIcon = 32, kButtonW = 75, kButtonH = 24, kFontSize = 11;
constexpr int kMaxTextWidth = 420;
}  // namespace

MessageWindow::MessageWindow(const std::string& text, const std::string& caption, bool warning)
    : Fl_Double_Window(100, 100), text_(text) {
    copy_label(caption.c_str());
    fl_font(FL_HELVETICA, kFontSize);
    int tw = kMaxTextWidth, th = 0;
    fl_measure(text_.c_str(), tw, th, 0);
    // Room for the label's own inset, so that the box does not wrap what was measured.
    tw = std::max(tw, 120) + 8;
    const int textLeft = kMargin + (warning ? kIcon + kMargin : 0);
    const int bodyH = std::max(th, warning ? kIcon : 0);
    const int width = std::max(textLeft + tw + kMargin, kButtonW + 2 * kMargin);
    const int height = kMargin + bodyH + kMargin + kButtonH + kMargin;
    size(width, height);
    begin();
    if (warning) {
        auto* sign = new Fl_Box(kMargin, kMargin, kIcon, kIcon, "!");
        sign->box(FL_ROUND_UP_BOX);
        sign->color(FL_YELLOW);
        sign->labelfont(FL_HELVETICA_BOLD);
        sign->labelsize(20);
    }
    auto* body = new Fl_Box(textLeft, kMargin, tw, bodyH, text_.c_str());
    body->labelsize(kFontSize);
    body->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    auto* ok = new DefaultButton((width - kButtonW) / 2, height - kMargin - kButtonH, kButtonW,
                                 kButtonH, "OK");
    ok->labelsize(kFontSize);
    ok->callback([](Fl_Widget* button, void*) { button->window()->hide(); });
    end();
    // Escape and the close button end the box as OK does.
    callback([](Fl_Widget* window, void*) { window->hide(); });
}

}  // namespace plughost::gui
