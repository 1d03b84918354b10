// Win32InstallerRunner: the installer as a hidden process, awaited while the windows repaint.
#pragma once

#include <windows.h>

#include "platform/installer_runner.h"

namespace qv {

// Starts the program with CreateProcessA (the explicit application path, the command
// line as given, the window hidden) and waits on the process handle kept from its
// creation, so the exit code read afterwards is always that of this very run.
// While it waits, the thread sleeps until the process ends or a window message
// arrives; messages are dispatched so the windows repaint, but every top-level window
// of the thread is disabled and keyboard, mouse and close requests are dropped, so
// nothing can start a second operation or close a window under the running one.
// A program that cannot be started gives {started = false}.
// What wakes the wait: keys, mouse moves and buttons, posted and sent messages, timers,
// painting and hot keys, which is every flag that Windows 95 knows. Newer flags (raw input,
// touch, pointer; QS_ALLINPUT of current headers holds them) make older systems reject the
// wait, and the windows would then stop painting until the installer ends.
constexpr DWORD InstallerWakeMask =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY;

class Win32InstallerRunner : public InstallerRunner {
public:
    InstallerResult Run(const ProcessCommand& command) override;
};

}  // namespace qv
