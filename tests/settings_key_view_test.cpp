// The settings key's registry view: the 64-bit one exactly when the process runs under WOW64.
#include <gtest/gtest.h>

#include "platform/settings_key_view.h"

namespace qv {
namespace {

struct ViewCase {
    Wow64Answer answer;
    SettingsKeyView view;
    const char* why;
};

const ViewCase kViewCases[] = {
    {Wow64Answer::Yes, SettingsKeyView::SixtyFourBit, "the 32-bit program on 64-bit Windows reaches the driver's key"},
    {Wow64Answer::No, SettingsKeyView::ProcessOwn, "32-bit Windows, or the 64-bit program: one view only"},
    {Wow64Answer::NoSuchCall, SettingsKeyView::ProcessOwn, "Windows 9x, NT 4 and 2000: the plain call they know"},
    {Wow64Answer::CallFailed, SettingsKeyView::ProcessOwn, "unknown: the plain call that every Windows accepts"},
};

TEST(SettingsKeyView, Is64BitExactlyUnderWow64) {
    for (const ViewCase& row : kViewCases) {
        EXPECT_EQ(SettingsKeyViewFor(row.answer), row.view) << row.why;
    }
}

}  // namespace
}  // namespace qv
