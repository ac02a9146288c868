// Window records: creation from templates, lifetime, and the state operations on them.
#include <map>
#include <unordered_set>

#include "ui_internal.h"

namespace {
std::unordered_set<const Window*>& LiveWindows() {
    static std::unordered_set<const Window*> live;
    return live;
}

std::map<ModuleHandle, const ResourceTable*>& Modules() {
    static std::map<ModuleHandle, const ResourceTable*> modules;
    return modules;
}

int commonControlsInits = 0;

Window* Live(WindowHandle w) {
    return ui_detail::IsLive(w) ? w : nullptr;
}
}  // namespace

namespace ui_detail {
bool IsLive(const Window* window) {
    return window && LiveWindows().count(window) != 0;
}

Window* CreateFromTemplate(const DialogTemplate& t, ModuleHandle module, Window* parent,
                           DialogProc proc) {
    auto* dialog = new Window;
    dialog->isDialog = true;
    dialog->dialogTemplate = &t;
    dialog->module = module;
    dialog->parent = parent;
    dialog->text = t.title ? t.title : "";
    dialog->proc = proc;
    LiveWindows().insert(dialog);
    for (std::size_t i = 0; i < t.controlCount; ++i) {
        const ControlTemplate& c = t.controls[i];
        auto control = std::make_unique<Window>();
        control->parent = dialog;
        control->id = c.id;
        control->kind = c.kind;
        control->style = c.style;
        control->text = c.text ? c.text : "";
        control->enabled = (c.style & kStyleDisabled) == 0;
        control->visible = (c.style & kStyleHidden) == 0;
        LiveWindows().insert(control.get());
        dialog->controls.push_back(std::move(control));
    }
    return dialog;
}

void Destroy(Window* dialog) {
    if (!IsLive(dialog)) return;
    for (auto& control : dialog->controls) LiveWindows().erase(control.get());
    LiveWindows().erase(dialog);
    delete dialog;
}

void Notify(Window* control, unsigned code) {
    Window* dialog = control->parent;
    if (!IsLive(dialog) || !dialog->proc) return;
    dialog->proc(dialog, kMsgCommand, MakeCommandParam(control->id, code),
                 reinterpret_cast<LParam>(control));
}
}  // namespace ui_detail

bool RegisterModuleResources(ModuleHandle module, const ResourceTable* table) {
    if (!module || !table) return false;
    Modules()[module] = table;
    return true;
}

void UnregisterModuleResources(ModuleHandle module) {
    Modules().erase(module);
}

const DialogTemplate* FindDialogTemplate(ModuleHandle module, int templateId) {
    auto it = Modules().find(module);
    if (it == Modules().end()) return nullptr;
    for (std::size_t i = 0; i < it->second->dialogCount; ++i)
        if (it->second->dialogs[i]->id == templateId) return it->second->dialogs[i];
    return nullptr;
}

const BitmapResource* FindBitmapResource(ModuleHandle module, int bitmapId) {
    auto it = Modules().find(module);
    if (it == Modules().end()) return nullptr;
    for (std::size_t i = 0; i < it->second->bitmapCount; ++i)
        if (it->second->bitmaps[i]->id == bitmapId) return it->second->bitmaps[i];
    return nullptr;
}

void InitCommonControls() {
    ++commonControlsInits;
}
int CommonControlsInitCount() {
    return commonControlsInits;
}

WindowHandle GetDlgItem(WindowHandle dialog, int id) {
    Window* d = Live(dialog);
    if (!d) return nullptr;
    for (auto& control : d->controls)
        if (control->id == id && id != kNoId) return control.get();
    return nullptr;
}

int GetDlgCtrlID(WindowHandle control) {
    Window* c = Live(control);
    return c ? c->id : kNoId;
}

WindowHandle GetParentWindow(WindowHandle control) {
    Window* c = Live(control);
    return c ? c->parent : nullptr;
}

void SetWindowText(WindowHandle window, const std::string& text) {
    Window* w = Live(window);
    if (!w) return;
    const bool changed = w->text != text;
    w->text = text;
    // Edit fields tell their dialog that the text is about to show changed, then that it did.
    if (!w->isDialog && w->kind == ControlKind::Edit && changed) {
        ui_detail::Notify(w, kNotifyUpdate);
        if (ui_detail::IsLive(w)) ui_detail::Notify(w, kNotifyChange);
    }
}

std::string GetWindowText(WindowHandle window) {
    Window* w = Live(window);
    return w ? w->text : std::string();
}

void SetDlgItemText(WindowHandle dialog, int id, const std::string& text) {
    SetWindowText(GetDlgItem(dialog, id), text);
}

std::string GetDlgItemText(WindowHandle dialog, int id) {
    return GetWindowText(GetDlgItem(dialog, id));
}

void CheckDlgButton(WindowHandle dialog, int id, bool checked) {
    if (Window* c = GetDlgItem(dialog, id)) c->checked = checked;
}

bool IsDlgButtonChecked(WindowHandle dialog, int id) {
    Window* c = GetDlgItem(dialog, id);
    return c && c->checked;
}

void CheckRadioButton(WindowHandle dialog, int firstId, int lastId, int checkId) {
    Window* d = Live(dialog);
    if (!d) return;
    for (auto& control : d->controls)
        if (control->id >= firstId && control->id <= lastId)
            control->checked = control->id == checkId;
}

void EnableWindow(WindowHandle window, bool enable) {
    if (Window* w = Live(window)) w->enabled = enable;
}

bool IsWindowEnabled(WindowHandle window) {
    Window* w = Live(window);
    return w && w->enabled;
}

void ShowWindow(WindowHandle window, bool show) {
    if (Window* w = Live(window)) w->visible = show;
}

bool IsWindowVisible(WindowHandle window) {
    Window* w = Live(window);
    return w && w->visible;
}

bool IsDialogOpen(WindowHandle dialog) {
    Window* d = Live(dialog);
    return d && d->isDialog && d->open;
}

void SetWindowUserData(WindowHandle window, LParam data) {
    if (Window* w = Live(window)) w->userData = data;
}

LParam GetWindowUserData(WindowHandle window) {
    Window* w = Live(window);
    return w ? w->userData : 0;
}

const DialogTemplate* GetDialogTemplate(WindowHandle dialog) {
    Window* d = Live(dialog);
    return d && d->isDialog ? d->dialogTemplate : nullptr;
}

ModuleHandle GetDialogModule(WindowHandle dialog) {
    Window* d = Live(dialog);
    return d && d->isDialog ? d->module : nullptr;
}

std::vector<WindowHandle> GetDialogControls(WindowHandle dialog) {
    std::vector<WindowHandle> controls;
    if (Window* d = Live(dialog))
        for (auto& control : d->controls) controls.push_back(control.get());
    return controls;
}

bool IsButtonChecked(WindowHandle control) {
    Window* c = Live(control);
    return c && !c->isDialog && c->checked;
}
