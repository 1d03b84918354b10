// Start-up: the argument text from the command line, the mode it names, and the dispatch to windows and operations.
#include "qvconfig/startup/startup.h"

#include <functional>
#include <iterator>

#include "qvconfig/notices/notices.h"
#include "qvconfig/window/editor.h"

namespace qv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the program's name ends: a quoted name runs to the closing quote, an
// unquoted one to the first blank or tab.
std::size_t EndOfProgramName(const std::string& commandLine) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        return closing == std::string::npos ? commandLine.size() : closing + 1;
    }
    std::size_t end = 0;
    while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
    return end;
}

struct ModeWord {
    const char* word;
    StartupMode mode;
};

// Tried in this order; the first word that equals the whole text decides.
constexpr ModeWord kModeWords[] = {
    {"splash", StartupMode::Splash},
    {"badload", StartupMode::BadLoad},
    {"install", StartupMode::Install},
    {"nodriveletter", StartupMode::NoDriveLetter},
    {"start", StartupMode::Start},
    {"stop", StartupMode::Stop},
    {"save", StartupMode::Save},
    {"", StartupMode::Empty},
};

bool IsOpen(const Form* form) { return form && form->IsLoaded() && !form->IsUnloaded(); }

}  // namespace

std::string ArgumentText(const std::string& commandLine) {
    std::size_t start = EndOfProgramName(commandLine);
    while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
    return commandLine.substr(start);
}

StartupMode ChooseMode(const std::string& argumentText) {
    for (const ModeWord& entry : kModeWords) {
        if (argumentText == entry.word) return entry.mode;
    }
    return StartupMode::Usage;
}

int RunProgram(ProcessSetup& process, const std::function<int()>& run) {
    // The common controls load libraries of their own (visual styles) when they start.
    process.LimitLibrarySearch();
    process.StartCommonControls();
    return run();
}

Application::Application(Services services, WindowHost& host)
    : services_(services), unattended_(services.ui), host_(host) {}

Application::~Application() = default;

// The view is attached before the load step, so that it mirrors what loading writes.
template <class W, class... Args>
W& Application::Create(std::unique_ptr<W>& slot, Args&&... args) {
    if (!slot) {
        slot = std::make_unique<W>(std::forward<Args>(args)...);
        host_.Attach(*slot);
        slot->Load();
    }
    return *slot;
}

Editor& Application::GetEditor() { return Create(editor_, services_); }
LoadFail& Application::GetLoadFail() { return Create(loadFail_); }
NoDrive& Application::GetNoDrive() { return Create(noDrive_); }

Services Application::WindowlessServices() {
    if (services_.ui.HasVisibleDesktop()) return services_;
    return Services{services_.store, services_.device, services_.installer, unattended_, services_.sleeper};
}

// A driver operation on the configuration window, which is loaded but never shown
// and closed afterwards without saving. Freshly loaded settings count as saved, so
// the operations ask nothing here; every error box of the run (the load's included)
// makes the run a failure, whether it was shown or logged.
ExitStatus Application::RunWithoutWindow(const std::function<void(Editor&)>& operation) {
    Editor& editor = Create(editor_, WindowlessServices());
    operation(editor);
    editor.Unload();
    return editor.MetFailure() ? ExitStatus::Failed : ExitStatus::Done;
}

ExitStatus Application::Startup(const std::string& argumentText) {
    switch (ChooseMode(argumentText)) {
        case StartupMode::Splash:
            break;
        case StartupMode::BadLoad:
            GetLoadFail().Show();
            break;
        case StartupMode::NoDriveLetter:
            GetNoDrive().Show();
            break;
        case StartupMode::Install:
        case StartupMode::Empty:
            GetEditor().Show();
            break;
        case StartupMode::Start:
            return RunWithoutWindow([](Editor& editor) { editor.StartDisk(); });
        case StartupMode::Stop:
            return RunWithoutWindow([](Editor& editor) { editor.StopDisk(); });
        case StartupMode::Save:
            return RunWithoutWindow([](Editor& editor) { editor.SaveImageNow(); });
        case StartupMode::Usage:
            // The usage text lists only the three words meant for scripts.
            services_.ui.ShowMessage("Usage: qvconfig [stop] [start] [save]",
                                     "Invalid Command Line Parameters",
                                     mb::Ok | mb::IconStop, MessageOwner::Desktop);
            return ExitStatus::UsageError;
    }
    return ExitStatus::Done;
}

bool Application::HasOpenWindows() const {
    return IsOpen(editor_.get()) || IsOpen(loadFail_.get()) || IsOpen(noDrive_.get());
}

}  // namespace qv
