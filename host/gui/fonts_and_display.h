#pragma once
// The parts that need FLTK's drawing and X headers, kept apart from the UI layer's header (X11
// has a type named Window of its own).
#include <string>

#include "plughost/dialog_units.h"

namespace plughost::gui {

// The typeface every dialog is drawn in.
int DialogTypeface();
// Base units of the dialog typeface at a pixel size; the display must be open.
DialogBaseUnits MeasureBaseUnits(int pixelSize);
// Connects FLTK to the X display named by $DISPLAY; false with the reason when it cannot.
bool OpenDisplay(std::string& error);

}  // namespace plughost::gui
