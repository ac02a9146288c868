#pragma once
// Small helpers shared by the dialog procedures.
#include <hostsdk/ui.h>

#include <string>

namespace frame {

// The data record a dialog procedure keeps with its window (set on the init message).
template <class T>
T* DialogData(WindowHandle dialog) {
    return reinterpret_cast<T*>(GetWindowUserData(dialog));
}

inline void EnableItem(WindowHandle dialog, int id, bool enable) {
    EnableWindow(GetDlgItem(dialog, id), enable);
}

// Message boxes of the dialogs carry the dialog's title as their caption.
void ShowDialogMessage(WindowHandle dialog, const std::string& text);

// Checks the scale factor field; shows a warning and returns false when it does not hold a
// number from 0.001 to 999999.
bool ReadScaleField(WindowHandle dialog, int id, float& scale);

// Text of the scale factor field for a value.
std::string ScaleFieldText(float scale);

}  // namespace frame
