#pragma once
// The host's progress display on standard error: a redrawn bar with the phase title on a
// terminal, otherwise one plain line "title: N%" for each new phase or percent value.
#include <optional>
#include <ostream>
#include <string>

namespace plughost {

// Another view of the progress (a window): told of every change, and asked for the user's
// cancel request whenever the host polls its cancel flag.
class ProgressListener {
  public:
    virtual ~ProgressListener() = default;
    virtual void Shown(const std::string& title, int percent, bool showBar) = 0;
    virtual void Ended() = 0;
    // Lets the user act; true once they asked to cancel.
    virtual bool CancelAsked() = 0;
};

class ProgressDisplay {
  public:
    ProgressDisplay(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}

    void Start(const std::string& title, bool showBar);
    // Percent is clamped to 0..100; a title given here replaces the phase title.
    void Update(int percent, const char* title = nullptr);
    void End();
    void SetListener(ProgressListener* listener) { listener_ = listener; }
    // Whether the listener's user asked to cancel.
    bool CancelAsked() { return listener_ && listener_->CancelAsked(); }

    bool Running() const { return running_; }
    const std::string& Title() const { return title_; }
    int Percent() const { return percent_; }

  private:
    void Show();

    std::ostream& out_;
    bool terminal_;
    bool running_ = false;
    bool showBar_ = true;
    std::string title_;
    int percent_ = 0;
    std::optional<std::string> lastShown_;
    bool lineOpen_ = false;  // a bar is drawn and its line not yet ended
    std::string barTitle_;   // the title of that bar
    ProgressListener* listener_ = nullptr;
};

// "Exporting matrices:50" → title and percent; false when the text has no ":N" at its end.
bool ParseCancelPoint(const std::string& text, std::string& title, int& percent);

}  // namespace plughost
