// Finding a program's windows and controls, and reading what they show.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "qvconfig/window/form.h"

namespace qvtest {

// Every message sent to the program under test waits at most this long, so that a
// hung program fails a test instead of stopping the run. (Not "abort if hung": a program
// under the emulated 32-bit Wine on a loaded machine can look hung for a moment.)
constexpr UINT kSendTimeoutMs = 5000;

// The visible top-level windows of process `processId` (any process when 0) whose
// caption is exactly `caption`, polled until one shows or `timeoutMs` has passed.
// `windowClass` narrows the search ("#32770" for message boxes); nullptr: any class.
HWND FindTopLevel(DWORD processId, const std::string& caption, int timeoutMs,
                  const char* windowClass = nullptr);

// The visible top-level windows that process `processId` holds now, of any caption;
// `windowClass` narrows them as above.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* windowClass = nullptr);
// Their captions.
std::vector<std::string> TopLevelCaptions(DWORD processId);
std::string Caption(HWND top);

// The form a top-level window shows, named by its caption: the configuration window
// or one of the notices. nullptr for any other caption.
const qv::FormLayout* FormOfCaption(const std::string& caption);

// A control's window ID: 1000 plus its row in the form's table; 0 for a name the
// table lacks.
int ControlId(const qv::FormLayout& form, const std::string& name);

// A top-level window of the program together with the form it shows, so that its
// controls can be named as the table names them.
class AppWindow {
public:
    AppWindow() = default;
    AppWindow(HWND window, const qv::FormLayout& form) : window_(window), form_(&form) {}

    HWND Handle() const { return window_; }
    explicit operator bool() const { return window_ != nullptr && IsWindow(window_); }
    const qv::FormLayout& Form() const { return *form_; }

    // The child window of the named control; nullptr when there is none.
    HWND Control(const std::string& name) const;
    // The name of the control that holds `child` (itself or a window inside it, such
    // as the edit field of a drop-down list); "" when it is none of the form's.
    std::string NameOf(HWND child) const;
    // The control that has the keyboard focus in the window's thread; "" for none.
    std::string FocusedControl() const;

private:
    HWND window_ = nullptr;
    const qv::FormLayout* form_ = nullptr;
};

// Finds the program's window of that caption, with the form it shows.
AppWindow FindAppWindow(DWORD processId, const std::string& caption, int timeoutMs);

// What a window shows, read through messages to it (the program answers them).
std::string WindowText(HWND window);
std::string ClassName(HWND window);
bool IsEnabled(HWND window);
LONG Style(HWND window);
// BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE of a check box.
int CheckState(HWND checkBox);
int ScrollPosition(HWND scrollBar);
// The items of a drop-down list, in order, and the selected one (-1: none).
std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);
// The window's rectangle in pixels, relative to `top`'s client area.
RECT RectInClient(HWND window, HWND top);
SIZE ClientSize(HWND top);

}  // namespace qvtest
