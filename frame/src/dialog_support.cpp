#include "dialog_support.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "frame/export_settings.h"
#include "frame/text_output.h"

namespace frame {

namespace {

// The number a whole field holds (blanks around it allowed), or NaN.
double ParseNumber(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin) return NAN;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return NAN;
    // Digits too large or too small for a double are still a number (out of range below);
    // the words "inf" and "nan" are not.
    return errno == ERANGE || std::isfinite(value) ? value : NAN;
}

}  // namespace

void ShowDialogMessage(WindowHandle dialog, const std::string& text) {
    const DialogTemplate* tpl = GetDialogTemplate(dialog);
    std::string caption = GetWindowText(dialog);
    if (caption.empty() && tpl && tpl->title) caption = tpl->title;
    MessageBox(dialog, text, caption, kMbOk | kMbIconWarning);
}

bool ReadScaleField(WindowHandle dialog, int id, float& scale) {
    const double value = ParseNumber(GetDlgItemText(dialog, id));
    if (std::isnan(value)) {
        ShowDialogMessage(dialog, "The scale factor must be a number, for example 1 or 2.5.");
        return false;
    }
    if (!IsAcceptedScaleFactor(value)) {
        ShowDialogMessage(dialog, "The scale factor must be from 0.001 to 999999.");
        return false;
    }
    scale = static_cast<float>(value);
    return true;
}

std::string ScaleFieldText(float scale) {
    return support::FormatG(scale);
}

}  // namespace frame
