// Win32UserInterface: MessageBoxA, the hourglass pointer and ShellExecuteA.
#include "platform/win32/win32_user_interface.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/show_command.h"

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
static_assert(ShowNormal == SW_SHOWNORMAL, "show command");

namespace {

const char* NullWhenEmpty(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

HWND OwnerWindow(MessageOwner owner) {
    return owner == MessageOwner::Desktop ? GetDesktopWindow() : GetActiveWindow();
}

void ShowPointer(LPCSTR cursor) { SetCursor(LoadCursorA(nullptr, cursor)); }

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

void Win32UserInterface::OpenWithShell(const std::string& verb, const std::string& file,
                                      const std::string& parameters, const std::string& directory,
                                      int showCommand) {
    ShellExecuteA(GetDesktopWindow(), verb.c_str(), file.c_str(), NullWhenEmpty(parameters),
                  NullWhenEmpty(directory), showCommand);
}

}  // namespace qv
