#include "x_input.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "support/testing/program_run.h"

namespace plughost::testing {

namespace {

support::testing::ProgramResult Xdotool(std::vector<std::string> arguments) {
    return support::testing::RunProgram({"xdotool", std::move(arguments)});
}

std::vector<unsigned long> WindowsNamed(const std::string& title) {
    // The search takes a regular expression; the title is matched whole and literally.
    std::string pattern = "^";
    for (char c : title) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    pattern += "$";
    std::istringstream out(Xdotool({"search", "--name", pattern}).out);
    std::vector<unsigned long> ids;
    for (unsigned long id; out >> id;) ids.push_back(id);
    return ids;
}

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}  // namespace

unsigned long WaitForWindow(const std::string& title, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const auto ids = WindowsNamed(title);
        if (!ids.empty()) {
            Pause();  // let the window draw itself before input arrives
            return ids.back();
        }
        Pause();
    }
    return 0;
}

bool WaitForWindowGone(const std::string& title, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (WindowsNamed(title).empty()) return true;
        Pause();
    }
    return false;
}

void ClickIn(unsigned long window, int x, int y) {
    Xdotool({"mousemove", "--sync", "--window", std::to_string(window), std::to_string(x),
             std::to_string(y), "click", "1"});
    Pause();
}

void DragIn(unsigned long window, int x, int y, int toX, int toY) {
    const std::string id = std::to_string(window);
    Xdotool({"mousemove", "--sync", "--window", id, std::to_string(x), std::to_string(y),
             "mousedown", "1", "mousemove", "--sync", "--window", id, std::to_string(toX),
             std::to_string(toY), "mouseup", "1"});
    Pause();
}

void Key(const std::string& keys, int repeat) {
    Xdotool({"key", "--repeat", std::to_string(repeat), "--delay", "30", keys});
    Pause();
}

void Type(const std::string& text) {
    Xdotool({"type", "--delay", "30", text});
    Pause();
}

void RequestClose(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    Pause();
}

bool Screenshot(unsigned long window, const std::string& path) {
    return support::testing::RunProgram({"import", {"-window", std::to_string(window), path}})
               .status == 0;
}

}  // namespace plughost::testing
