#include "plughost/host_modules.h"
#include "plughost/windowed_front_end.h"

namespace plughost {

std::unique_ptr<WindowedFrontEnd> OpenWindowedFrontEnd(std::string& error) {
    using Open = WindowedFrontEnd* (*)(std::string&);
    auto open =
        reinterpret_cast<Open>(ModuleFunction("plughost-gui.so", PLUGHOST_GUI_MODULE_ENTRY, error));
    return std::unique_ptr<WindowedFrontEnd>(open ? open(error) : nullptr);
}

}  // namespace plughost
