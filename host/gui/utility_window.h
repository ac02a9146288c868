#pragma once
// The host's main window while a utility is open: the scene's node tree on the left and the
// command panel on the right, holding the utility's pages under their titles. Closing the
// window ends the utility's editing.
#include <FL/Fl_Double_Window.H>

#include <memory>
#include <string>
#include <vector>

#include "dialog_view.h"
#include "plughost/windowed_front_end.h"

namespace plughost::gui {

class UtilityWindow : public Fl_Double_Window {
  public:
    UtilityWindow(SceneNode* root, const std::vector<PanelPage>& pages,
                  const std::string& sceneName);
    ~UtilityWindow() override;

    // The view of a page in the side panel, or null.
    DialogView* PageView(WindowHandle page) const;
    // Takes a page's widgets out of the panel (the page is being destroyed).
    void RemovePage(WindowHandle page);

  private:
    std::vector<std::unique_ptr<DialogView>> pages_;
};

}  // namespace plughost::gui
