#pragma once
// Synthetic input for windows of this process: FLTK's own event injection, so the events take
// the same path through the widgets as a user's would.
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <string>

namespace plughost::testing {

// A left click in the middle of the widget (or at an offset from its top-left corner).
void ClickWidget(Fl_Window& window, Fl_Widget* widget);
void ClickAt(Fl_Window& window, int x, int y);
// A key without text (FL_Escape, FL_Enter, FL_Right, ...) to the window.
void PressKey(Fl_Window& window, int key);
// Typed text to the widget that has the focus.
void TypeText(Fl_Window& window, const std::string& text);

}  // namespace plughost::testing
