#include "gui_robot.h"

#include <FL/Fl.H>

namespace plughost::testing {

void ClickAt(Fl_Window& window, int x, int y) {
    Fl::e_x = x;
    Fl::e_y = y;
    Fl::e_x_root = window.x() + x;
    Fl::e_y_root = window.y() + y;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = FL_BUTTON1;
    Fl::e_clicks = 0;
    Fl::e_is_click = 1;
    Fl::handle(FL_PUSH, &window);
    Fl::e_state = 0;
    Fl::handle(FL_RELEASE, &window);
}

void ClickWidget(Fl_Window& window, Fl_Widget* widget) {
    // Widget places are relative to their window.
    ClickAt(window, widget->x() + widget->w() / 2, widget->y() + widget->h() / 2);
}

void PressKey(Fl_Window& window, int key) {
    static char empty[] = "";
    Fl::e_keysym = key;
    Fl::e_state = 0;
    Fl::e_text = empty;
    Fl::e_length = 0;
    Fl::handle(FL_KEYBOARD, &window);
    Fl::handle(FL_KEYUP, &window);
}

void TypeText(Fl_Window& window, const std::string& text) {
    for (char c : text) {
        char typed[2] = {c, '\0'};
        Fl::e_keysym = static_cast<unsigned char>(c);
        Fl::e_state = 0;
        Fl::e_text = typed;
        Fl::e_length = 1;
        Fl::handle(FL_KEYBOARD, &window);
    }
}

}  // namespace plughost::testing
