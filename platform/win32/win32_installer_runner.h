// Win32InstallerRunner: the installer as a hidden process, awaited while the windows repaint.
#pragma once

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
class Win32InstallerRunner : public InstallerRunner {
public:
    InstallerResult Run(const ProcessCommand& command) override;
};

}  // namespace qv
