#pragma once
// The widgets that FLTK lacks in the form the dialog templates describe: a group box with its
// title over the frame, an edit field that reports focus changes, and a default push button.
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>

#include <functional>

namespace plughost::gui {

// A frame with its title set into the top line, as Windows draws a group box.
class GroupFrame : public Fl_Box {
  public:
    GroupFrame(int x, int y, int w, int h, const char* label = nullptr);

  protected:
    void draw() override;
};

// A single-line edit field that scrolls horizontally and says when it gains or loses the focus.
class EditField : public Fl_Input {
  public:
    EditField(int x, int y, int w, int h);
    std::function<void(bool gained)> onFocus;

    int handle(int event) override;
};

// The push button that Enter presses, drawn with the heavier border of a default button.
class DefaultButton : public Fl_Button {
  public:
    DefaultButton(int x, int y, int w, int h, const char* label = nullptr);

    int handle(int event) override;

  protected:
    void draw() override;
};

}  // namespace plughost::gui
