#include "gui_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace plughost::gui {

GroupFrame::GroupFrame(int x, int y, int w, int h, const char* label) : Fl_Box(x, y, w, h, label) {
    box(FL_NO_BOX);
}

void GroupFrame::draw() {
    fl_font(labelfont(), labelsize());
    const int textHeight = fl_height();
    // The frame line runs through the middle of the title.
    const int top = y() + textHeight / 2;
    fl_draw_box(FL_ENGRAVED_FRAME, x(), top, w(), h() - (top - y()), color());
    const char* text = label();
    if (!text || !*text) return;
    int textWidth = 0, ignored = 0;
    fl_measure(text, textWidth, ignored, 0);
    const int left = x() + 6;
    fl_color(color());
    fl_rectf(left, y(), textWidth + 4, textHeight);
    fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
    fl_draw(text, left + 2, y(), textWidth, textHeight, FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
}

EditField::EditField(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {}

int EditField::handle(int event) {
    const int handled = Fl_Input::handle(event);
    if (onFocus && (event == FL_FOCUS || event == FL_UNFOCUS)) onFocus(event == FL_FOCUS);
    return handled;
}

DefaultButton::DefaultButton(int x, int y, int w, int h, const char* label)
    : Fl_Button(x, y, w, h, label) {}

int DefaultButton::handle(int event) {
    // Enter anywhere in the window presses the default button, as long as it is usable.
    if (event == FL_SHORTCUT && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
        if (!active_r() || !visible_r()) return 0;
        simulate_key_action();
        do_callback();
        return 1;
    }
    return Fl_Button::handle(event);
}

void DefaultButton::draw() {
    Fl_Button::draw();
    fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
    fl_rect(x(), y(), w(), h());
}

}  // namespace plughost::gui
