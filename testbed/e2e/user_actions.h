// What the end-to-end tests do as a user and then wait to see: text boxes, arrows, check boxes, focus.
#pragma once

#include <windows.h>

#include <string>

#include "e2e_fixture.h"

namespace qve2e {

// Waits until `read` gives `expected`; the last value read, for the failure message.
template <class T, class Read>
T Await(const T& expected, Read read) {
    T last = read();
    qvtest::WaitUntil(
        [&] {
            last = read();
            return last == expected;
        },
        kReactTimeoutMs);
    return last;
}

inline std::string AwaitFocus(const qvtest::AppWindow& window, const std::string& expected) {
    return Await(expected, [&] { return window.FocusedControl(); });
}

inline std::string AwaitText(HWND control, const std::string& expected) {
    return Await(expected, [&] { return qvtest::WindowText(control); });
}

inline int AwaitCheck(HWND control, int expected) {
    return Await(expected, [&] { return qvtest::CheckState(control); });
}

// Clicks into a text box and selects all its text, so that typing replaces it.
inline void SelectAllOf(HWND textBox) {
    EXPECT_TRUE(qvtest::ClickToFocus(textBox, kReactTimeoutMs)) << "the click left the focus elsewhere";
    qvtest::PressKey(VK_HOME);
    qvtest::PressKey(VK_END, true);
}

// The upper arrow of a small vertical scroll bar: a few pixels below its top edge.
inline void ClickUpperArrow(HWND scrollBar) {
    RECT client{};
    GetClientRect(scrollBar, &client);
    qvtest::ClickAt(scrollBar, client.right / 2, 3);
}

}  // namespace qve2e
