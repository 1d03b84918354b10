// Message boxes of the program under test: finding one by its caption, reading its text, answering it.
#include "testbed/harness/message_box.h"

#include "testbed/harness/windows.h"

namespace qvtest {

namespace {
constexpr int kMessageTextId = 0xFFFF;
}

HWND FindMessageBox(DWORD processId, const std::string& caption, int timeoutMs) {
    return FindTopLevel(processId, caption, timeoutMs, "#32770");
}

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageTextId);
    return text ? WindowText(text) : "";
}

void PressMessageBoxButton(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

}  // namespace qvtest
