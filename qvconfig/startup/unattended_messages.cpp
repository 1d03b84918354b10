// UnattendedMessages: message boxes turned into log entries.
#include "qvconfig/startup/unattended_messages.h"

namespace qv {

std::string UnattendedLine(const std::string& text, const std::string& caption) { return caption + ": " + text; }

MessageAnswer UnattendedMessages::ShowMessage(const std::string& text, const std::string& caption,
                                              std::uint32_t flags, MessageOwner) {
    ui_.LogMessage(UnattendedLine(text, caption), LogEntryKindOf(flags));
    return AnswerOf(0, flags);
}

}  // namespace qv
