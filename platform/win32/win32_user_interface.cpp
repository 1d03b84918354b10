// Win32UserInterface: MessageBoxA, the hourglass pointer, the window station, the event log and ShellExecuteA.
#include "platform/win32/win32_user_interface.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <type_traits>

#include "platform/show_command.h"
#include "platform/win32/late_calls.h"

namespace qv {

// The portable code's copies of the platform's numbers.
static_assert(mb::Ok == MB_OK && mb::YesNoCancel == MB_YESNOCANCEL && mb::ButtonsMask == MB_TYPEMASK,
              "message box buttons");
static_assert(mb::IconStop == MB_ICONSTOP && mb::IconExclamation == MB_ICONEXCLAMATION &&
                  mb::IconInformation == MB_ICONINFORMATION,
              "message box icons");
static_assert(static_cast<int>(MessageAnswer::Ok) == IDOK && static_cast<int>(MessageAnswer::Cancel) == IDCANCEL &&
                  static_cast<int>(MessageAnswer::Yes) == IDYES && static_cast<int>(MessageAnswer::No) == IDNO,
              "message box answers");
static_assert(mb::IconMask == MB_ICONMASK, "message box icon bits");
static_assert(static_cast<WORD>(LogEntryKind::Error) == EVENTLOG_ERROR_TYPE &&
                  static_cast<WORD>(LogEntryKind::Warning) == EVENTLOG_WARNING_TYPE &&
                  static_cast<WORD>(LogEntryKind::Information) == EVENTLOG_INFORMATION_TYPE,
              "event log entry types");
static_assert(ShowNormal == SW_SHOWNORMAL, "show command");

namespace {

const char* NullWhenEmpty(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

HWND OwnerWindow(MessageOwner owner) {
    return owner == MessageOwner::Desktop ? GetDesktopWindow() : GetActiveWindow();
}

void ShowPointer(LPCSTR cursor) { SetCursor(LoadCursorA(nullptr, cursor)); }

// WSF_VISIBLE and UOI_FLAGS, which headers pinned to Windows 4.0 need not define.
constexpr DWORD kWindowStationVisible = 0x0001;
constexpr int kUserObjectFlags = 1;

// The event source, deregistered when it goes.
struct EventSourceCloser {
    void operator()(HANDLE source) const { DeregisterEventSource(source); }
};
using EventSource = std::unique_ptr<std::remove_pointer_t<HANDLE>, EventSourceCloser>;

constexpr const char* kEventSourceName = "Quorvel";

void WriteToEventLog(const std::string& line, LogEntryKind kind) {
    const EventSource source(RegisterEventSourceA(nullptr, kEventSourceName));
    if (!source) return;
    const char* strings[] = {line.c_str()};
    ReportEventA(source.get(), static_cast<WORD>(kind), 0, 0, nullptr, 1, 0, strings, nullptr);
}

// A windowed program has a standard error handle only when whoever started it gave it one.
void WriteToStandardError(const std::string& text) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

MessageAnswer Win32UserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                              std::uint32_t flags, MessageOwner owner) {
    return AnswerOf(MessageBoxA(OwnerWindow(owner), text.c_str(), caption.c_str(), flags), flags);
}

void Win32UserInterface::SetBusyPointer() {
    busy_ = true;
    ShowPointer(IDC_WAIT);
}

void Win32UserInterface::ClearBusyPointer() {
    busy_ = false;
    ShowPointer(IDC_ARROW);
}

bool Win32UserInterface::ShowBusyPointer() const {
    if (busy_) ShowPointer(IDC_WAIT);
    return busy_;
}

bool Win32UserInterface::HasVisibleDesktop() {
    using GetProcessWindowStationCall = HWINSTA(WINAPI*)();
    using GetUserObjectInformationCall = BOOL(WINAPI*)(HANDLE, int, PVOID, DWORD, LPDWORD);
    const auto station = FindLateCall<GetProcessWindowStationCall>("user32.dll", "GetProcessWindowStation");
    const auto information = FindLateCall<GetUserObjectInformationCall>("user32.dll", "GetUserObjectInformationA");
    if (!station || !information) return true;
    // The station's handle belongs to the process and is not closed.
    const HWINSTA own = station();
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    if (!own || !information(own, kUserObjectFlags, &flags, sizeof flags, &needed)) return true;
    return (flags.dwFlags & kWindowStationVisible) != 0;
}

void Win32UserInterface::LogMessage(const std::string& line, LogEntryKind kind) {
    WriteToEventLog(line, kind);
    WriteToStandardError(line + "\r\n");
}

void Win32UserInterface::OpenWithShell(const std::string& verb, const std::string& file,
                                      const std::string& parameters, const std::string& directory,
                                      int showCommand) {
    ShellExecuteA(GetDesktopWindow(), verb.c_str(), file.c_str(), NullWhenEmpty(parameters),
                  NullWhenEmpty(directory), showCommand);
}

}  // namespace qv
