// A message box's answer from the platform's result: a box that could not be shown goes on with nothing unasked.
#include <gtest/gtest.h>

#include "platform/user_interface.h"

namespace qv {
namespace {

struct AnswerCase {
    int result;  // the platform's result; 0 when the box could not be shown
    std::uint32_t flags;
    MessageAnswer answer;
};

TEST(MessageAnswer, EachResultIsItsAnswerAndABoxNotShownCancelsOnlyTheQuestion) {
    const AnswerCase cases[] = {
        {1, mb::Ok | mb::IconExclamation, MessageAnswer::Ok},
        {6, mb::YesNoCancel, MessageAnswer::Yes},
        {7, mb::YesNoCancel, MessageAnswer::No},
        {2, mb::YesNoCancel, MessageAnswer::Cancel},
        {0, mb::YesNoCancel, MessageAnswer::Cancel},
        {0, mb::YesNoCancel | mb::IconExclamation, MessageAnswer::Cancel},
        {0, mb::Ok | mb::IconExclamation, MessageAnswer::Ok},
        {0, mb::Ok | mb::IconInformation, MessageAnswer::Ok},
        {0, mb::Ok | mb::IconStop, MessageAnswer::Ok},
        {3, mb::YesNoCancel, MessageAnswer::Ok},  // an answer no box of ours offers
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "result " << c.result << ", flags " << c.flags);
        EXPECT_EQ(AnswerOf(c.result, c.flags), c.answer);
    }
}

TEST(LogEntryKind, IsTheBoxsIcon) {
    EXPECT_EQ(LogEntryKindOf(mb::Ok | mb::IconStop), LogEntryKind::Error);
    EXPECT_EQ(LogEntryKindOf(mb::YesNoCancel | mb::IconExclamation), LogEntryKind::Warning);
    EXPECT_EQ(LogEntryKindOf(mb::Ok | mb::IconInformation), LogEntryKind::Information);
    EXPECT_EQ(LogEntryKindOf(mb::Ok), LogEntryKind::Information);
}

}  // namespace
}  // namespace qv
