#pragma once
// Driving another program's windows on the test's X server with xdotool, as a user's input
// would arrive: real pointer and key events through the server.
#include <string>

namespace plughost::testing {

// The id of the newest window whose title is exactly `title`, waiting up to `seconds`; 0 when
// none appeared.
unsigned long WaitForWindow(const std::string& title, double seconds = 20);
// Waits until no window has the title; false when one is still there after `seconds`.
bool WaitForWindowGone(const std::string& title, double seconds = 20);
// A left click at (x, y) inside the window.
void ClickIn(unsigned long window, int x, int y);
// Presses the left button at (x, y) inside the window and releases it at (toX, toY).
void DragIn(unsigned long window, int x, int y, int toX, int toY);
// Keys by X name ("Return", "Escape", "Left", "ctrl+a") and typed text, to the window under
// the pointer (the server gives the focus to whatever window the pointer is in).
void Key(const std::string& keys, int repeat = 1);
void Type(const std::string& text);
// What the window manager's close button does: a WM_DELETE_WINDOW request.
void RequestClose(unsigned long window);
// Saves the window's picture as a PNG file.
bool Screenshot(unsigned long window, const std::string& path);

}  // namespace plughost::testing
