#include "plughost/progress_display.h"

#include <algorithm>
#include <cstdlib>

namespace plughost {

namespace {
constexpr int kBarWidth = 30;
}

void ProgressDisplay::Start(const std::string& title, bool showBar) {
    // A new phase may start without the old one ending: that only changes the title.
    running_ = true;
    showBar_ = showBar;
    title_ = title;
    percent_ = 0;
    Show();
    if (listener_) listener_->Shown(title_, percent_, showBar_);
}

void ProgressDisplay::Update(int percent, const char* title) {
    if (title) title_ = title;
    percent_ = std::clamp(percent, 0, 100);
    if (!running_) return;
    Show();
    if (listener_) listener_->Shown(title_, percent_, showBar_);
}

void ProgressDisplay::End() {
    if (lineOpen_) out_ << "\n";
    out_.flush();
    lineOpen_ = false;
    running_ = false;
    lastShown_.reset();
    if (listener_) listener_->Ended();
}

void ProgressDisplay::Show() {
    std::string line = title_ + ": " + std::to_string(percent_) + "%";
    if (lastShown_ == line) return;
    lastShown_ = line;
    if (!terminal_) {
        out_ << line << "\n";
        out_.flush();
        return;
    }
    std::string text = title_;
    if (showBar_) {
        const int filled = percent_ * kBarWidth / 100;
        text += " [" + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + "]";
    }
    text += " " + std::to_string(percent_) + "%";
    // A new phase keeps the finished one's line on screen.
    if (lineOpen_ && title_ != barTitle_) out_ << "\n";
    barTitle_ = title_;
    // \r returns to the line start; \x1b[K clears what a longer title left behind.
    out_ << "\r" << text << "\x1b[K";
    out_.flush();
    lineOpen_ = true;
}

bool ParseCancelPoint(const std::string& text, std::string& title, int& percent) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon + 1 >= text.size()) return false;
    const std::string number = text.substr(colon + 1);
    if (number.find_first_not_of("0123456789") != std::string::npos || number.size() > 3)
        return false;
    title = text.substr(0, colon);
    percent = std::atoi(number.c_str());
    return percent <= 100;
}

}  // namespace plughost
