// Real mouse and keyboard input through SendInput, and clicks posted to a button.
#pragma once

#include <windows.h>

#include <string>

namespace qvtest {

// Pause between two keys, as a quick typist leaves it.
constexpr DWORD kKeyPauseMs = 40;

// Brings the window to the front and gives it the keyboard, so that real input
// reaches it; true when it is the foreground window afterwards.
bool BringToFront(HWND top);

// A left click with the real mouse at a point of `window` given in its own client
// pixels (the centre when no point is given).
void ClickAt(HWND window, int clientX, int clientY);
void Click(HWND window);
// Two such clicks in quick succession, well within the double-click time.
void DoubleClickAt(HWND window, int clientX, int clientY);
// A click into a control that takes the focus, and a wait until it has it: keys sent
// before the program has handled the click would go to where the focus was. False
// when the focus did not arrive within `timeoutMs`.
bool ClickToFocus(HWND control, int timeoutMs);

// Real key presses: one key (with Shift held when `shift`), and text typed one
// character after another with a pause between keys.
void PressKey(WORD virtualKey, bool shift = false);
void TypeText(const std::string& text);
inline void PressTab(bool shift = false) { PressKey(VK_TAB, shift); }
inline void PressEnter() { PressKey(VK_RETURN); }

// A click posted to a button, for where the focus does not matter. Posted, not sent:
// a click that opens a modal box would otherwise block the sender.
void PostClick(HWND button);
// The title bar's close command.
void PostClose(HWND top);

}  // namespace qvtest
