// Modal dialogs, child pages, message boxes, the folder chooser and the driver in force.
#include <iostream>

#include "ui_internal.h"

namespace {
// Used when no driver was installed: accepts every dialog with its default button, prints
// message boxes and cancels folder choosers.
class DefaultUiDriver : public UiDriver {
  public:
    void RunModal(WindowHandle dialog) override {
        if (!ui_actions::PressDefault(dialog) || IsDialogOpen(dialog)) ui_actions::Cancel(dialog);
    }
    int ShowMessage(WindowHandle, const std::string& text, const std::string& caption,
                    unsigned) override {
        std::cerr << caption << ": " << text << '\n';
        return kIdOk;
    }
    bool ChooseFolder(WindowHandle, const std::string&, std::string&) override { return false; }
};

UiDriver* installed = nullptr;
}  // namespace

namespace ui_detail {
UiDriver& Driver() {
    static DefaultUiDriver fallback;
    return installed ? *installed : fallback;
}
}  // namespace ui_detail

UiDriver* SetUiDriver(UiDriver* driver) {
    UiDriver* previous = installed;
    installed = driver;
    return previous;
}

UiDriver* GetUiDriver() {
    return &ui_detail::Driver();
}

intptr_t DialogBoxParam(ModuleHandle module, int templateId, WindowHandle parent, DialogProc proc,
                        LParam param) {
    const DialogTemplate* t = FindDialogTemplate(module, templateId);
    if (!t || !proc) return -1;
    Window* dialog = ui_detail::CreateFromTemplate(*t, module, parent, proc);
    proc(dialog, kMsgInitDialog, 0, param);
    if (dialog->open) ui_detail::Driver().RunModal(dialog);
    // A driver that returns with the dialog still open has abandoned it: that is a Cancel.
    const intptr_t result = dialog->open ? 0 : dialog->result;
    ui_detail::Destroy(dialog);
    return result;
}

bool EndDialog(WindowHandle dialog, intptr_t result) {
    if (!IsDialogOpen(dialog)) return false;
    dialog->open = false;
    dialog->result = result;
    return true;
}

WindowHandle CreateDialogParam(ModuleHandle module, int templateId, WindowHandle parent,
                               DialogProc proc, LParam param) {
    const DialogTemplate* t = FindDialogTemplate(module, templateId);
    if (!t) return nullptr;
    Window* page = ui_detail::CreateFromTemplate(*t, module, parent, proc);
    if (proc) proc(page, kMsgInitDialog, 0, param);
    ui_detail::Driver().PageOpened(page);
    return page;
}

void DestroyWindow(WindowHandle window) {
    if (!ui_detail::IsLive(window) || !window->isDialog) return;
    ui_detail::Driver().PageClosing(window);
    ui_detail::Destroy(window);
}

intptr_t SendDialogMessage(WindowHandle dialog, unsigned message, WParam wp, LParam lp) {
    if (!ui_detail::IsLive(dialog) || !dialog->proc) return 0;
    return dialog->proc(dialog, message, wp, lp);
}

int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
               unsigned flags) {
    return ui_detail::Driver().ShowMessage(owner, text, caption, flags);
}

bool ChooseFolder(WindowHandle owner, const std::string& title, std::string& folder) {
    return ui_detail::Driver().ChooseFolder(owner, title, folder);
}
