// The registry view that the settings key is opened in, chosen from what the system says about WOW64.
#pragma once

namespace qv {

// What asking the system whether this process is a 32-bit program on 64-bit Windows (WOW64)
// gave. Windows 95, 98, ME, NT 4 and 2000 have no such call.
enum class Wow64Answer { NoSuchCall, CallFailed, No, Yes };

// Where the settings key is opened. The driver and the 64-bit program use the key in the
// 64-bit view; a 32-bit program on 64-bit Windows would see a copy of its own
// (Software\WOW6432Node) unless it asks for that view. Everywhere else the process's own
// view is the only one there is, and the key is opened the way it always was.
enum class SettingsKeyView { ProcessOwn, SixtyFourBit };

// Only a process known to run under WOW64 asks for the 64-bit view; when the answer is
// unknown, the plain call that every Windows accepts is the safe one.
constexpr SettingsKeyView SettingsKeyViewFor(Wow64Answer answer) {
    return answer == Wow64Answer::Yes ? SettingsKeyView::SixtyFourBit : SettingsKeyView::ProcessOwn;
}

}  // namespace qv
