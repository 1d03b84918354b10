// UserInterface: message boxes, the program-wide busy pointer and the shell.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Message box flags and answers, with the platform's numbers.
namespace mb {
constexpr std::uint32_t Ok = 0x00;
constexpr std::uint32_t YesNoCancel = 0x03;
constexpr std::uint32_t ButtonsMask = 0x0F;  // the bits that choose the buttons
constexpr std::uint32_t IconStop = 0x10;
constexpr std::uint32_t IconExclamation = 0x30;
constexpr std::uint32_t IconInformation = 0x40;
constexpr std::uint32_t IconMask = 0xF0;  // the bits that choose the icon
}  // namespace mb

enum class MessageAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// The answer for the platform's result of a box with these flags. A box that could
// not be shown (result 0) answers a Yes/No/Cancel question with Cancel, so that
// nothing goes ahead that nobody agreed to; any other box, and any other result,
// answers OK.
inline MessageAnswer AnswerOf(int result, std::uint32_t flags) {
    switch (result) {
        case static_cast<int>(MessageAnswer::Yes): return MessageAnswer::Yes;
        case static_cast<int>(MessageAnswer::No): return MessageAnswer::No;
        case static_cast<int>(MessageAnswer::Cancel): return MessageAnswer::Cancel;
        case 0:
            if ((flags & mb::ButtonsMask) == mb::YesNoCancel) return MessageAnswer::Cancel;
            break;
        default: break;
    }
    return MessageAnswer::Ok;
}

// The kind of a system log entry, with the platform's numbers: what a message box's icon
// says of its message.
enum class LogEntryKind : std::uint16_t { Error = 1, Warning = 2, Information = 4 };

// The stop sign marks an error and the exclamation mark a warning; any other icon, or
// none, marks information.
inline LogEntryKind LogEntryKindOf(std::uint32_t flags) {
    switch (flags & mb::IconMask) {
        case mb::IconStop: return LogEntryKind::Error;
        case mb::IconExclamation: return LogEntryKind::Warning;
        default: return LogEntryKind::Information;
    }
}

enum class MessageOwner {
    Program,  // the program's active window, if any
    Desktop,  // the desktop window
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // Shows a modal message box and returns the button the user pressed.
    virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                      std::uint32_t flags, MessageOwner owner) = 0;
    virtual void SetBusyPointer() = 0;
    virtual void ClearBusyPointer() = 0;
    // False when nobody can see the program's windows: the process runs in a window
    // station without a visible desktop (a scheduled task, a service). True where that
    // cannot be told, as on Windows 95, 98 and ME.
    virtual bool HasVisibleDesktop() = 0;
    // Writes a message that no box can show into the system's log, as an entry of that
    // kind, and onto the standard error stream when the process has one. Failures are
    // not reported: there is nowhere left to report them.
    virtual void LogMessage(const std::string& line, LogEntryKind kind) = 0;
    // Asks the shell to carry out `verb` on `file`; parameters and directory are
    // null when empty. The result is not reported.
    virtual void OpenWithShell(const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int showCommand) = 0;
};

// An error: OK with the exclamation icon, owned by the program's window.
inline void ShowError(UserInterface& ui, const std::string& text, const std::string& caption) {
    ui.ShowMessage(text, caption, mb::Ok | mb::IconExclamation, MessageOwner::Program);
}

}  // namespace qv
