// UserInterface: message boxes, the program-wide busy pointer and the shell.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Message box flags and answers, with the platform's numbers.
namespace mb {
constexpr std::uint32_t Ok = 0x00;
constexpr std::uint32_t YesNoCancel = 0x03;
constexpr std::uint32_t IconStop = 0x10;
constexpr std::uint32_t IconExclamation = 0x30;
constexpr std::uint32_t IconInformation = 0x40;
}  // namespace mb

enum class MessageAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

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
    // Asks the shell to carry out `verb` on `file`; parameters and directory are
    // null when empty. The result is not reported.
    virtual void ShellExecute(const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int showCommand) = 0;
};

// An error: OK with the exclamation icon, owned by the program's window.
inline void ShowError(UserInterface& ui, const std::string& text, const std::string& caption) {
    ui.ShowMessage(text, caption, mb::Ok | mb::IconExclamation, MessageOwner::Program);
}

}  // namespace qv
