// Start-up: the argument text, the mode it chooses, and the application that opens windows or runs an operation.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/process_setup.h"
#include "platform/services.h"
#include "qvconfig/startup/unattended_messages.h"
#include "qvconfig/window/window_host.h"

namespace qv {

class Editor;
class LoadFail;
class NoDrive;

enum class StartupMode { Splash, BadLoad, Install, NoDriveLetter, Start, Stop, Save, Empty, Usage };

// Everything on the command line after the program's own name (quoted or not) and
// the blanks that follow it; not trimmed at the end.
std::string ArgumentText(const std::string& commandLine);

// The first word of the table that the whole text equals, case-sensitively; Usage
// for any other non-empty text.
StartupMode ChooseMode(const std::string& argumentText);

// The program's exit status, for the scripts that run the driver words.
enum class ExitStatus {
    Done = 0,        // the window, a notice or splash; a driver word that did what was asked
    Failed = 1,      // a driver word whose run met a failure and showed its error box
    UsageError = 2,  // the argument text named no mode
};

// The program from its first step: the process is set up (the library search limited
// first, then the common controls started) before `run` makes any service, window or
// library load; `run` returns the exit status, which this returns.
int RunProgram(ProcessSetup& process, const std::function<int()>& run);

// The program: one instance of each window, created on first use.
class Application {
public:
    Application(Services services, WindowHost& host);
    ~Application();

    // Runs the start-up procedure for `argumentText` and returns the program's exit
    // status; the program then lives while HasOpenWindows() says so.
    ExitStatus Startup(const std::string& argumentText);
    // True while any window is loaded and not yet closed.
    bool HasOpenWindows() const;

    // The single instances, created (and loaded) on first use.
    Editor& GetEditor();
    LoadFail& GetLoadFail();
    NoDrive& GetNoDrive();

private:
    template <class W, class... Args>
    W& Create(std::unique_ptr<W>& slot, Args&&... args);
    // The services of a windowless word: with no visible desktop, messages are logged.
    Services WindowlessServices();
    ExitStatus RunWithoutWindow(const std::function<void(Editor&)>& operation);

    Services services_;
    UnattendedMessages unattended_;
    WindowHost& host_;
    std::unique_ptr<Editor> editor_;
    std::unique_ptr<LoadFail> loadFail_;
    std::unique_ptr<NoDrive> noDrive_;
};

}  // namespace qv
