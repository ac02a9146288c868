#pragma once
// The window records behind the UI layer's handles.
#include <memory>
#include <string>
#include <vector>

#include "hostsdk/ui.h"

struct Window {
    Window* parent = nullptr;
    bool isDialog = false;
    const DialogTemplate* dialogTemplate = nullptr;  // dialogs
    ModuleHandle module = nullptr;                   // dialogs: where the template came from
    int id = kNoId;                                  // controls
    ControlKind kind = ControlKind::Static;
    unsigned style = 0;
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::vector<std::string> items;  // list box
    std::vector<bool> selected;      // list box, parallel to items
    int sliderMin = 0, sliderMax = 100, sliderPos = 0;
    DialogProc proc = nullptr;
    LParam userData = 0;
    bool open = true;
    intptr_t result = 0;
    std::vector<std::unique_ptr<Window>> controls;
};

namespace ui_detail {
// Builds a dialog and its controls from a template; the window is registered as live.
Window* CreateFromTemplate(const DialogTemplate& dialogTemplate, ModuleHandle module,
                           Window* parent, DialogProc proc);
// Unregisters and frees a dialog and its controls.
void Destroy(Window* dialog);
// Whether the handle names a window that still exists (dialogs and their controls).
bool IsLive(const Window* window);
// Sends a command notification from a control to its dialog.
void Notify(Window* control, unsigned code);
// The driver in force (the default one when none was installed).
UiDriver& Driver();
}  // namespace ui_detail
