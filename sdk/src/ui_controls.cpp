// List box and slider operations.
#include <algorithm>

#include "ui_internal.h"

namespace {
Window* AsList(WindowHandle w) {
    return ui_detail::IsLive(w) && !w->isDialog && w->kind == ControlKind::ListBox ? w : nullptr;
}

Window* AsSlider(WindowHandle w) {
    return ui_detail::IsLive(w) && !w->isDialog && w->kind == ControlKind::Slider ? w : nullptr;
}

bool InRange(const Window* list, int index) {
    return index >= 0 && index < static_cast<int>(list->items.size());
}
}  // namespace

int ListBoxAddString(WindowHandle list, const std::string& text) {
    Window* l = AsList(list);
    if (!l) return -1;
    int index = static_cast<int>(l->items.size());
    if (l->style & kStyleSorted)
        index = static_cast<int>(std::upper_bound(l->items.begin(), l->items.end(), text) -
                                 l->items.begin());
    return ListBoxInsertString(list, index, text);
}

int ListBoxInsertString(WindowHandle list, int index, const std::string& text) {
    Window* l = AsList(list);
    if (!l) return -1;
    if (index < 0 || index > static_cast<int>(l->items.size()))
        index = static_cast<int>(l->items.size());
    l->items.insert(l->items.begin() + index, text);
    l->selected.insert(l->selected.begin() + index, false);
    return index;
}

bool ListBoxDeleteString(WindowHandle list, int index) {
    Window* l = AsList(list);
    if (!l || !InRange(l, index)) return false;
    l->items.erase(l->items.begin() + index);
    l->selected.erase(l->selected.begin() + index);
    return true;
}

void ListBoxResetContent(WindowHandle list) {
    if (Window* l = AsList(list)) {
        l->items.clear();
        l->selected.clear();
    }
}

int ListBoxGetCount(WindowHandle list) {
    Window* l = AsList(list);
    return l ? static_cast<int>(l->items.size()) : 0;
}

std::string ListBoxGetText(WindowHandle list, int index) {
    Window* l = AsList(list);
    return l && InRange(l, index) ? l->items[index] : std::string();
}

void ListBoxSetSel(WindowHandle list, bool select, int index) {
    Window* l = AsList(list);
    if (!l) return;
    if (l->style & kStyleMultiSelect) {
        if (index == -1)
            std::fill(l->selected.begin(), l->selected.end(), select);
        else if (InRange(l, index))
            l->selected[index] = select;
        return;
    }
    // A single-selection list holds at most one selected item.
    std::fill(l->selected.begin(), l->selected.end(), false);
    if (select && InRange(l, index)) l->selected[index] = true;
}

bool ListBoxGetSel(WindowHandle list, int index) {
    Window* l = AsList(list);
    return l && InRange(l, index) && l->selected[index];
}

int ListBoxGetSelCount(WindowHandle list) {
    Window* l = AsList(list);
    return l ? static_cast<int>(std::count(l->selected.begin(), l->selected.end(), true)) : 0;
}

std::vector<int> ListBoxGetSelItems(WindowHandle list) {
    std::vector<int> items;
    if (Window* l = AsList(list))
        for (int i = 0; i < static_cast<int>(l->selected.size()); ++i)
            if (l->selected[i]) items.push_back(i);
    return items;
}

void SliderSetRange(WindowHandle slider, int minimum, int maximum) {
    Window* s = AsSlider(slider);
    if (!s) return;
    s->sliderMin = minimum;
    s->sliderMax = maximum;
    SliderSetPos(slider, s->sliderPos);
}

int SliderGetMin(WindowHandle slider) {
    Window* s = AsSlider(slider);
    return s ? s->sliderMin : 0;
}

int SliderGetMax(WindowHandle slider) {
    Window* s = AsSlider(slider);
    return s ? s->sliderMax : 0;
}

void SliderSetPos(WindowHandle slider, int position) {
    Window* s = AsSlider(slider);
    if (!s) return;
    // A range whose maximum lies below its minimum pins the thumb at the minimum.
    s->sliderPos = std::max(s->sliderMin, std::min(position, s->sliderMax));
}

int SliderGetPos(WindowHandle slider) {
    Window* s = AsSlider(slider);
    return s ? s->sliderPos : 0;
}
