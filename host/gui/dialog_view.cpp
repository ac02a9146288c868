#include "dialog_view.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Multi_Browser.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Slider.H>

#include <algorithm>
#include <cstdlib>

#include "fonts_and_display.h"
#include "gui_widgets.h"

namespace plughost::gui {

namespace {

std::vector<DialogView*>& OpenViews() {
    static std::vector<DialogView*> views;
    return views;
}

Fl_Browser* AsBrowser(Fl_Widget* w) {
    return static_cast<Fl_Browser*>(w);
}

std::vector<int> BrowserSelection(Fl_Browser* browser) {
    std::vector<int> items;
    for (int line = 1; line <= browser->size(); ++line)
        if (browser->selected(line)) items.push_back(line - 1);
    return items;
}

}  // namespace

DialogFont MeasureDialogFont(const DialogTemplate& t) {
    DialogFont font;
    font.size = PointsToPixels(t.pointSize > 0 ? t.pointSize : 8);
    font.base = MeasureBaseUnits(font.size);
    return font;
}

DialogView::DialogView(WindowHandle dialog, int left, int top) : dialog_(dialog) {
    const DialogTemplate* t = GetDialogTemplate(dialog);
    if (!t) return;
    font_ = MeasureDialogFont(*t);
    const PixelRect size = DialogUnitsToPixels(0, 0, t->width, t->height, font_.base);
    width_ = size.w;
    height_ = size.h;
    const std::vector<WindowHandle> records = GetDialogControls(dialog);
    for (std::size_t i = 0; i < t->controlCount && i < records.size(); ++i)
        AddControl(t->controls[i], records[i], left, top);
    OpenViews().push_back(this);
    Refresh();
}

DialogView::~DialogView() {
    closing_ = true;
    auto& views = OpenViews();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
    for (auto& item : items_) {
        if (Fl_Group* parent = item->widget->parent()) parent->remove(item->widget);
        delete item->widget;
    }
}

void DialogView::AddControl(const ControlTemplate& c, WindowHandle record, int left, int top) {
    const PixelRect r = DialogUnitsToPixels(c.x, c.y, c.w, c.h, font_.base);
    const int x = left + r.x, y = top + r.y;
    Fl_Widget* widget = nullptr;
    switch (c.kind) {
        case ControlKind::Static: {
            auto* box = new Fl_Box(x, y, r.w, r.h);
            // A text of one line may run past its box: the dialogs were measured with a
            // narrower typeface, and a cut "Scale factor:" says less than an overlong one.
            const bool oneLine = r.h < 2 * font_.base.y;
            box->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE |
                       (oneLine ? 0 : FL_ALIGN_WRAP | FL_ALIGN_CLIP));
            widget = box;
            break;
        }
        case ControlKind::GroupBox:
            widget = new GroupFrame(x, y, r.w, r.h);
            break;
        case ControlKind::PushButton:
            widget = new Fl_Button(x, y, r.w, r.h);
            break;
        case ControlKind::DefPushButton:
            widget = new DefaultButton(x, y, r.w, r.h);
            break;
        case ControlKind::CheckBox:
        case ControlKind::AutoCheckBox:
            // The record holds the check; the widget's own toggling is undone by the refresh.
            widget = new Fl_Check_Button(x, y, r.w, r.h);
            break;
        case ControlKind::AutoRadioButton:
            // A plain round toggle: FLTK's radio type would clear every radio button of the
            // window, where the layer clears only those of the same group.
            widget = new Fl_Round_Button(x, y, r.w, r.h);
            break;
        case ControlKind::Edit: {
            auto* field = new EditField(x, y, r.w, r.h);
            field->when(FL_WHEN_CHANGED);
            field->textsize(font_.size);
            field->textfont(DialogTypeface());
            widget = field;
            break;
        }
        case ControlKind::ListBox: {
            Fl_Browser* browser =
                (c.style & kStyleMultiSelect)
                    ? static_cast<Fl_Browser*>(new Fl_Multi_Browser(x, y, r.w, r.h))
                    : new Fl_Hold_Browser(x, y, r.w, r.h);
            browser->format_char(0);  // items are plain text, never formatting codes
            browser->textsize(font_.size);
            browser->textfont(DialogTypeface());
            browser->has_scrollbar((c.style & kStyleVScroll) ? Fl_Browser_::VERTICAL_ALWAYS
                                                             : Fl_Browser_::VERTICAL);
            browser->when(FL_WHEN_CHANGED);
            widget = browser;
            break;
        }
        case ControlKind::Slider: {
            auto* slider = new Fl_Slider(x, y, r.w, r.h);
            slider->type(FL_HOR_NICE_SLIDER);
            slider->step(1);
            slider->when(FL_WHEN_CHANGED);
            widget = slider;
            break;
        }
        case ControlKind::Picture:
            widget = MakePicture(c, x, y, r.w, r.h);
            break;
    }
    widget->labelfont(DialogTypeface());
    widget->labelsize(font_.size);
    auto item = std::make_unique<Item>(Item{this, record, c.kind, c.id, widget});
    widget->callback(&DialogView::OnWidget, item.get());
    if (auto* field = dynamic_cast<EditField*>(widget)) {
        Item* raw = item.get();
        field->onFocus = [raw](bool gained) {
            if (raw->view->closing_) return;
            ui_actions::Focus(raw->view->dialog_, raw->id, gained);
            RefreshAll();
        };
    }
    items_.push_back(std::move(item));
}

Fl_Widget* DialogView::MakePicture(const ControlTemplate& c, int x, int y, int w, int h) {
    const BitmapResource* bitmap =
        FindBitmapResource(GetDialogModule(dialog_), c.text ? std::atoi(c.text) : 0);
    if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0) {
        // A picture whose bitmap is missing shows as an empty sunken frame.
        auto* box = new Fl_Box(FL_THIN_DOWN_FRAME, x, y, w, h, nullptr);
        return box;
    }
    // A picture control takes its bitmap's own size, as a static bitmap control does.
    std::vector<unsigned char> rgb(static_cast<std::size_t>(bitmap->width) * bitmap->height * 3);
    for (std::size_t i = 0; i < rgb.size() / 3; ++i) {
        const unsigned char* colour = bitmap->palette + 3 * bitmap->indices[i];
        std::copy(colour, colour + 3, rgb.begin() + 3 * i);
    }
    pixels_.push_back(std::move(rgb));
    images_.push_back(
        std::make_unique<Fl_RGB_Image>(pixels_.back().data(), bitmap->width, bitmap->height, 3));
    auto* box = new Fl_Box(FL_NO_BOX, x, y, bitmap->width, bitmap->height, nullptr);
    box->image(images_.back().get());
    box->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
    return box;
}

Fl_Widget* DialogView::WidgetOf(WindowHandle control) const {
    for (const auto& item : items_)
        if (item->control == control) return item->widget;
    return nullptr;
}

Fl_Widget* DialogView::WidgetOf(int id) const {
    return WidgetOf(GetDlgItem(dialog_, id));
}

void DialogView::Refresh() {
    if (!IsDialogOpen(dialog_)) return;
    for (const auto& item : items_) RefreshItem(*item);
}

void DialogView::RefreshAll() {
    // A refresh never calls back into a procedure, so the list cannot change meanwhile.
    for (DialogView* view : OpenViews()) view->Refresh();
}

void DialogView::FocusFirst() {
    for (const auto& item : items_) {
        Fl_Widget* w = item->widget;
        const bool tabStop = item->kind != ControlKind::Static &&
                             item->kind != ControlKind::GroupBox &&
                             item->kind != ControlKind::Picture;
        if (tabStop && w->active_r() && w->visible_r() && w->take_focus()) return;
    }
}

DialogView* DialogView::Find(WindowHandle dialog) {
    for (DialogView* view : OpenViews())
        if (view->dialog_ == dialog) return view;
    return nullptr;
}

void DialogView::RefreshItem(const Item& item) {
    Fl_Widget* w = item.widget;
    const std::string text = GetWindowText(item.control);
    switch (item.kind) {
        case ControlKind::Static:
            if (!w->label() || text != w->label()) {
                w->copy_label(text.c_str());
                // The old text may have reached past the box: repaint the dialog behind it.
                if (w->parent()) w->parent()->redraw();
            }
            break;
        case ControlKind::GroupBox:
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
            if (!w->label() || text != w->label()) w->copy_label(text.c_str());
            break;
        case ControlKind::CheckBox:
        case ControlKind::AutoCheckBox:
        case ControlKind::AutoRadioButton: {
            if (!w->label() || text != w->label()) w->copy_label(text.c_str());
            auto* button = static_cast<Fl_Button*>(w);
            button->value(IsButtonChecked(item.control) ? 1 : 0);
            break;
        }
        case ControlKind::Edit: {
            auto* field = static_cast<Fl_Input*>(w);
            if (text != field->value()) field->value(text.c_str());
            break;
        }
        case ControlKind::ListBox: {
            Fl_Browser* browser = AsBrowser(w);
            const int count = ListBoxGetCount(item.control);
            bool same = browser->size() == count;
            for (int i = 0; same && i < count; ++i)
                same = ListBoxGetText(item.control, i) == browser->text(i + 1);
            if (!same) {
                browser->clear();
                for (int i = 0; i < count; ++i)
                    browser->add(ListBoxGetText(item.control, i).c_str());
            }
            for (int i = 0; i < count; ++i)
                browser->select(i + 1, ListBoxGetSel(item.control, i) ? 1 : 0);
            break;
        }
        case ControlKind::Slider: {
            auto* slider = static_cast<Fl_Slider*>(w);
            const int lo = SliderGetMin(item.control);
            const int hi = std::max(lo, SliderGetMax(item.control));
            slider->bounds(lo, hi);
            slider->value(SliderGetPos(item.control));
            break;
        }
        case ControlKind::Picture:
            break;
    }
    if (IsWindowEnabled(item.control))
        w->activate();
    else
        w->deactivate();
    if (IsWindowVisible(item.control))
        w->show();
    else
        w->hide();
    w->redraw();
}

void DialogView::OnWidget(Fl_Widget*, void* data) {
    auto* item = static_cast<Item*>(data);
    if (item->view->closing_) return;
    item->view->Act(*item);
    RefreshAll();
}

void DialogView::Act(const Item& item) {
    switch (item.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
        case ControlKind::CheckBox:
        case ControlKind::AutoCheckBox:
        case ControlKind::AutoRadioButton:
            ui_actions::Click(dialog_, item.id);
            break;
        case ControlKind::Edit:
            ui_actions::Type(dialog_, item.id, static_cast<Fl_Input*>(item.widget)->value());
            break;
        case ControlKind::ListBox: {
            const std::vector<int> shown = BrowserSelection(AsBrowser(item.widget));
            if (shown != ListBoxGetSelItems(item.control))
                ui_actions::Select(dialog_, item.id, shown);
            break;
        }
        case ControlKind::Slider: {
            const int position = static_cast<int>(static_cast<Fl_Slider*>(item.widget)->value());
            if (position != SliderGetPos(item.control))
                ui_actions::Slide(dialog_, item.id, position);
            break;
        }
        case ControlKind::Static:
        case ControlKind::GroupBox:
        case ControlKind::Picture:
            break;
    }
}

}  // namespace plughost::gui
