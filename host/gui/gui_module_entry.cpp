// The module's one exported symbol: opens the windowed front end.
#include "plughost/windowed_front_end.h"

extern "C" __attribute__((visibility("default"))) plughost::WindowedFrontEnd*
plughost_gui_module_open(std::string& error) {
    return plughost::WindowedFrontEnd::Open(error).release();
}
