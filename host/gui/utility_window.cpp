#include "utility_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hold_Browser.H>

#include <algorithm>

#include "gui_widgets.h"
#include "hostsdk/class_id.h"
#include "hostsdk/scene.h"

namespace plughost::gui {

namespace {
constexpr int kTreeWidth = 300, kMargin = 6, kTitleHeight = 20, kMinHeight = 420;
constexpr int kFontSize = 11;

const char* KindOf(SceneNode* node) {
    HostObject* object = node->GetObjectRef();
    if (!object) return "helper";
    switch (object->SuperClassID()) {
        case kCameraSuperClass:
            return "camera";
        case kLightSuperClass:
            return "light";
        case kShapeSuperClass:
            return "shape";
        case kGeomObjectSuperClass:
            return "geometry";
        default:
            return "object";
    }
}

// Every node below the root, indented by depth, with what it holds.
void ListNodes(Fl_Browser& list, SceneNode* node, int depth) {
    for (int i = 0; node && i < node->NumberOfChildren(); ++i) {
        SceneNode* child = node->GetChildNode(i);
        if (!child) continue;
        const char* name = child->GetName();
        std::string line(static_cast<std::size_t>(depth) * 3, ' ');
        line += name ? name : "(no name)";
        line += std::string("  [") + KindOf(child) + (child->IsNodeHidden() ? ", hidden]" : "]");
        list.add(line.c_str());
        ListNodes(list, child, depth + 1);
    }
}
}  // namespace

UtilityWindow::UtilityWindow(SceneNode* root, const std::vector<PanelPage>& pages,
                             const std::string& sceneName)
    : Fl_Double_Window(640, kMinHeight) {
    copy_label(("plughost - " + sceneName).c_str());
    begin();
    auto* tree = new Fl_Hold_Browser(kMargin, kMargin, kTreeWidth, kMinHeight - 2 * kMargin);
    tree->format_char(0);
    tree->textsize(kFontSize);
    ListNodes(*tree, root, 0);
    const int panelLeft = kTreeWidth + 2 * kMargin;
    int panelWidth = 160, top = kMargin;
    std::vector<Fl_Box*> titles;
    for (const PanelPage& page : pages) {
        auto* title = new Fl_Box(FL_THIN_UP_BOX, panelLeft, top, 10, kTitleHeight, nullptr);
        title->copy_label(page.title.c_str());
        title->labelsize(kFontSize);
        title->labelfont(FL_HELVETICA_BOLD);
        titles.push_back(title);
        top += kTitleHeight;
        auto view = std::make_unique<DialogView>(page.page, panelLeft, top);
        panelWidth = std::max(panelWidth, view->Width());
        top += view->Height() + kMargin;
        pages_.push_back(std::move(view));
    }
    end();
    for (Fl_Box* title : titles) title->size(panelWidth, kTitleHeight);
    const int height = std::max(kMinHeight, top);
    tree->size(kTreeWidth, height - 2 * kMargin);
    size(panelLeft + panelWidth + kMargin, height);
    // Escape does not close the main window; its close button does.
    callback([](Fl_Widget* window, void*) {
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
        window->hide();
    });
}

UtilityWindow::~UtilityWindow() {
    pages_.clear();
}

void UtilityWindow::RemovePage(WindowHandle page) {
    std::erase_if(pages_, [page](const auto& view) { return view->Dialog() == page; });
    redraw();
}

DialogView* UtilityWindow::PageView(WindowHandle page) const {
    for (const auto& view : pages_)
        if (view->Dialog() == page) return view.get();
    return nullptr;
}

}  // namespace plughost::gui
