#pragma once
// A message box: the text, an optional warning sign and one OK button that Enter and Escape
// press too.
#include <FL/Fl_Double_Window.H>

#include <string>

namespace plughost::gui {

class MessageWindow : public Fl_Double_Window {
  public:
    MessageWindow(const std::string& text, const std::string& caption, bool warning);

  private:
    std::string text_;
};

}  // namespace plughost::gui
