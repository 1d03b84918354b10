// UnattendedMessages: the user interface of a windowless word that nobody watches, which writes its messages to the log.
#pragma once

#include <string>

#include "platform/user_interface.h"

namespace qv {

// The line that stands for a message box in the log: its caption, then its text.
std::string UnattendedLine(const std::string& text, const std::string& caption);

// Wraps the program's user interface for a run with no visible desktop, where a box would
// wait for ever for someone to close it. A message is logged instead of shown (its kind
// from the box's icon), and answered as a box that could not be shown: OK, or Cancel to a
// question, so that nothing goes ahead that nobody agreed to. Everything else passes through.
class UnattendedMessages : public UserInterface {
public:
    explicit UnattendedMessages(UserInterface& ui) : ui_(ui) {}

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, std::uint32_t flags,
                              MessageOwner owner) override;
    bool HasVisibleDesktop() override { return false; }
    void LogMessage(const std::string& line, LogEntryKind kind) override { ui_.LogMessage(line, kind); }
    void SetBusyPointer() override { ui_.SetBusyPointer(); }
    void ClearBusyPointer() override { ui_.ClearBusyPointer(); }
    void OpenWithShell(const std::string& verb, const std::string& file, const std::string& parameters,
                      const std::string& directory, int showCommand) override {
        ui_.OpenWithShell(verb, file, parameters, directory, showCommand);
    }

private:
    UserInterface& ui_;
};

}  // namespace qv
