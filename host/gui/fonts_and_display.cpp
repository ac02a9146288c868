#include "fonts_and_display.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstdlib>

namespace plughost::gui {

int DialogTypeface() {
    return FL_HELVETICA;
}

DialogBaseUnits MeasureBaseUnits(int pixelSize) {
    fl_font(DialogTypeface(), pixelSize);
    DialogBaseUnits base;
    base.x = AverageCharWidth(fl_width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    base.y = fl_height();
    return base;
}

bool OpenDisplay(std::string& error) {
    if (fl_display) return true;
    const char* name = std::getenv("DISPLAY");
    // FLTK ends the process when it cannot reach the display; asking Xlib first turns that into
    // an error the caller can report.
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        error = name && *name ? "cannot open the X display \"" + std::string(name) + "\""
                              : "no X display (DISPLAY is not set)";
        return false;
    }
    fl_open_display(display);
    Fl::scheme("gtk+");
    // FLTK's own folder dialog, the same on every machine, rather than GTK's where GTK happens
    // to be installed.
    Fl::option(Fl::OPTION_FNFC_USES_GTK, false);
    return true;
}

}  // namespace plughost::gui
