// The windowed front end: connects to the display, installs FLTK's look, and ties the driver,
// the progress window and the utility window together.
#include <FL/Fl.H>

#include "dialog_view.h"
#include "fonts_and_display.h"
#include "plughost/windowed_front_end.h"
#include "progress_window.h"
#include "utility_window.h"
#include "windowed_driver.h"

namespace plughost {

namespace {

class FltkFrontEnd : public WindowedFrontEnd {
  public:
    FltkFrontEnd() {
        auto forward = [this](Fl_Window& window, WindowHandle dialog) {
            if (onShown) onShown(window, dialog);
        };
        driver_.onShown = forward;
        progress_.onShown = forward;
    }

    UiDriver& Driver() override { return driver_; }
    ProgressListener& Progress() override { return progress_; }

    void RunUtilityWindow(HostInterface& host, const std::vector<PanelPage>& pages,
                          const std::string& sceneName,
                          std::function<bool()> closedByUtility) override {
        gui::UtilityWindow window(host.GetRootNode(), pages, sceneName);
        // A page the utility takes down while the window is open leaves the panel with it.
        driver_.onPageClosing = [&window](WindowHandle page) { window.RemovePage(page); };
        gui::ShowCentred(window);
        if (onShown) onShown(window, pages.empty() ? nullptr : pages.back().page);
        while (window.shown() && !(closedByUtility && closedByUtility())) Fl::wait();
        driver_.onPageClosing = nullptr;
        window.hide();
        Fl::flush();
    }

  private:
    gui::WindowedUiDriver driver_;
    gui::ProgressWindow progress_;
};

}  // namespace

std::unique_ptr<WindowedFrontEnd> WindowedFrontEnd::Open(std::string& error) {
    if (!gui::OpenDisplay(error)) return nullptr;
    return std::make_unique<FltkFrontEnd>();
}

}  // namespace plughost
