// Win32UserInterface: message boxes, the program-wide busy pointer and the shell, through user32 and shell32.
#pragma once

#include "platform/user_interface.h"

namespace qv {

// - ShowMessage: MessageBoxA, owned by the desktop window (GetDesktopWindow) or by
//   the program's active window of this thread (none while every window is hidden).
// - ShowMessage's answer: AnswerOf the box's result (a box that cannot be shown
//   answers the Yes/No/Cancel question with Cancel).
// - The busy pointer is the hourglass over every window of the program until it is
//   cleared. The program has one such state, and this object holds it: the program's
//   windows call ShowBusyPointer() whenever the pointer moves over them.
// - HasVisibleDesktop: whether the process's window station has WSF_VISIBLE, through
//   GetProcessWindowStation and GetUserObjectInformationA looked up at run time; true
//   where either call is missing (Windows 95, 98 and ME) or fails.
// - LogMessage: one entry in the Application event log from the source "Quorvel"
//   (RegisterEventSourceA, ReportEventA), whose one string is the line; and the line with
//   a line end on the standard error handle, when the process was given one.
// - OpenWithShell: ShellExecuteA with the desktop window as owner; an empty parameter
//   or directory text is passed as a null pointer. The result is dropped.
class Win32UserInterface : public UserInterface {
public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, std::uint32_t flags,
                              MessageOwner owner) override;
    void SetBusyPointer() override;
    void ClearBusyPointer() override;
    bool HasVisibleDesktop() override;
    void LogMessage(const std::string& line, LogEntryKind kind) override;
    void OpenWithShell(const std::string& verb, const std::string& file, const std::string& parameters,
                      const std::string& directory, int showCommand) override;

    // The pointer has moved over one of the program's windows: while the busy pointer
    // is on, shows it there and returns true; otherwise returns false.
    bool ShowBusyPointer() const;

private:
    bool busy_ = false;
};

}  // namespace qv
