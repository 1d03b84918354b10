// Message boxes of the program under test: finding one by its caption, reading its text, answering it.
#pragma once

#include <windows.h>

#include <string>

namespace qvtest {

// The message box (class #32770) of process `processId` with exactly this caption,
// polled for up to `timeoutMs`; nullptr when none showed.
HWND FindMessageBox(DWORD processId, const std::string& caption, int timeoutMs);

// The box's message: the text of its static control, ID 0xFFFF.
std::string MessageBoxText(HWND box);

// Presses the box's button `buttonId` (IDOK, IDYES, ...); posted, so that this
// program never waits on the one under test.
void PressMessageBoxButton(HWND box, int buttonId);

}  // namespace qvtest
