#pragma once
// The widgets of one dialog or panel page, laid out from its template's dialog units. User
// input goes through the UI layer's actions, so the dialog procedure hears exactly what the
// scripted driver would send; after every action each open view is refreshed from the window
// records, which stay the one place the state lives.
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Widget.H>

#include <memory>
#include <vector>

#include "hostsdk/ui.h"
#include "plughost/dialog_units.h"

namespace plughost::gui {

// The dialog font and its base units for a template's point size (the display must be open).
struct DialogFont {
    int size = 11;  // pixels
    DialogBaseUnits base;
};
DialogFont MeasureDialogFont(const DialogTemplate& dialogTemplate);

class DialogView {
  public:
    // Adds a widget per control to the FLTK group now current, with the dialog's top-left
    // corner at (left, top).
    DialogView(WindowHandle dialog, int left, int top);
    ~DialogView();
    DialogView(const DialogView&) = delete;
    DialogView& operator=(const DialogView&) = delete;

    WindowHandle Dialog() const { return dialog_; }
    const DialogFont& Font() const { return font_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The widget showing a control, or null.
    Fl_Widget* WidgetOf(WindowHandle control) const;
    Fl_Widget* WidgetOf(int id) const;

    // Gives the keyboard focus to the first control a user could tab to, as a dialog does
    // when it opens.
    void FocusFirst();

    // Window records into widgets, for this view and for every open view.
    void Refresh();
    static void RefreshAll();
    // The open view of a dialog or page, or null.
    static DialogView* Find(WindowHandle dialog);

  private:
    struct Item {
        DialogView* view;
        WindowHandle control;
        ControlKind kind;
        int id;
        Fl_Widget* widget;
    };

    void AddControl(const ControlTemplate& control, WindowHandle record, int left, int top);
    Fl_Widget* MakePicture(const ControlTemplate& control, int x, int y, int w, int h);
    void RefreshItem(const Item& item);
    static void OnWidget(Fl_Widget* widget, void* item);
    void Act(const Item& item);

    WindowHandle dialog_;
    DialogFont font_;
    int width_ = 0, height_ = 0;
    bool closing_ = false;
    std::vector<std::unique_ptr<Item>> items_;
    std::vector<std::vector<unsigned char>> pixels_;  // the pictures' RGB data
    std::vector<std::unique_ptr<Fl_RGB_Image>> images_;
};

}  // namespace plughost::gui
