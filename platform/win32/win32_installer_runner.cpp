// Win32InstallerRunner: CreateProcessA, a sleeping wait on the process handle, and the windows held still meanwhile.
#include "platform/win32/win32_installer_runner.h"

#include <optional>
#include <vector>

namespace qv {
namespace {

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() {
        if (handle_) ::CloseHandle(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// Disables every enabled top-level window of this thread while it lives and then
// enables exactly those again, so a window that was disabled before stays so. A
// disabled window still paints but takes no clicks and no keys. Disabling the window
// that holds the focus takes the focus away; it goes back to it afterwards unless
// the user has moved on to another window meanwhile.
class ThreadWindowsDisabled {
public:
    ThreadWindowsDisabled() : active_(::GetActiveWindow()), focus_(::GetFocus()) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(&disabled_));
        for (HWND window : disabled_) ::EnableWindow(window, FALSE);
    }
    ~ThreadWindowsDisabled() {
        for (HWND window : disabled_) {
            if (::IsWindow(window)) ::EnableWindow(window, TRUE);
        }
        if (focus_ && ::IsWindow(focus_) && ::IsWindowEnabled(focus_) && ::GetFocus() == nullptr &&
            ::GetActiveWindow() == active_) {
            ::SetFocus(focus_);
        }
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM windows) {
        if (::IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        return TRUE;
    }

    HWND active_;
    HWND focus_;
    std::vector<HWND> disabled_;
};

// The last keyboard (WM_UNICHAR) and mouse (WM_MOUSEHWHEEL) messages of newer systems.
// The headers of the oldest target end both ranges earlier; older systems send none of
// the messages beyond their own ends, so the wider ranges hold for every system.
constexpr UINT LastKeyMessage = 0x0109;
constexpr UINT LastMouseMessage = 0x020E;

// Input and close requests that reach the queue while the installer runs are dropped:
// keys still go to a disabled window that is active (Alt+F4 would close it), and a
// posted WM_CLOSE would destroy the window under the running operation.
bool IsDroppedWhileWaiting(const MSG& msg) {
    const UINT m = msg.message;
    return (m >= WM_KEYFIRST && m <= LastKeyMessage) || (m >= WM_MOUSEFIRST && m <= LastMouseMessage) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) || m == WM_CLOSE ||
           (m == WM_SYSCOMMAND && (msg.wParam & 0xFFF0) == SC_CLOSE);
}

// Handles every message waiting in the thread's queue (painting among them). A
// WM_QUIT is kept in `quit` for the caller to post again once the wait is over.
void DispatchPending(std::optional<WPARAM>& quit) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = msg.wParam;
        } else if (!IsDroppedWhileWaiting(msg)) {
            ::DispatchMessageA(&msg);
        }
    }
}

// Sleeps until the process ends, waking only to handle window messages.
void WaitForExit(HANDLE process) {
    const ThreadWindowsDisabled held;
    std::optional<WPARAM> quit;
    DWORD woken;
    do {
        DispatchPending(quit);
        woken = ::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, InstallerWakeMask);
    } while (woken == WAIT_OBJECT_0 + 1);
    // A wait that cannot be made still ends with the process, only without messages.
    if (woken != WAIT_OBJECT_0) ::WaitForSingleObject(process, INFINITE);
    if (quit) ::PostQuitMessage(static_cast<int>(*quit));
}

}  // namespace

InstallerResult Win32InstallerRunner::Run(const ProcessCommand& command) {
    // CreateProcessA may write into the command line it is given.
    std::vector<char> commandLine(command.commandLine.begin(), command.commandLine.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessA(command.application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &created)) {
        return InstallerResult{false, 0};
    }
    const OwnedHandle process(created.hProcess);
    ::CloseHandle(created.hThread);

    WaitForExit(process.Get());
    DWORD exitCode = 0;
    // An exit code that cannot be read is no success.
    if (!::GetExitCodeProcess(process.Get(), &exitCode)) exitCode = static_cast<DWORD>(-1);
    return InstallerResult{true, exitCode};
}

}  // namespace qv
