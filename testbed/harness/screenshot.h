// Screenshots of a program's window, saved as PNG files for people to look at.
#pragma once

#include <windows.h>

#include <string>

#include "testbed/harness/png.h"

namespace qvtest {

// The window as it stands on the screen, title bar and border included: brought to
// the front and repainted first, then copied from the screen.
Image CaptureWindow(HWND top);

// No window manager runs under Xvfb, so none draws the title bars; Wine draws them
// itself once its X11 driver is told that windows are not decorated by one. Programs
// started afterwards take the setting up; on Windows it is an unused key. False when
// it could not be written.
bool DrawTitleBarsUnderWine();

// Captures the window into `directory`\`name`.png, making the directory if needed.
// Returns the file's path, or "" when it could not be written.
std::string SaveScreenshot(HWND top, const std::string& directory, const std::string& name);

}  // namespace qvtest
