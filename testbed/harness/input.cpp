// Real mouse and keyboard input through SendInput, and clicks posted to a button.
#include "testbed/harness/input.h"

#include "testbed/harness/program.h"

namespace qvtest {

namespace {

void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

// SendInput's absolute coordinates run from 0 to 65536 across the screen; rounding
// up lands the pointer on the wanted pixel after the system scales it back down.
LONG Normalised(int pixel, int screenPixels) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenPixels - 1) / screenPixels);
}

void MouseEvent(DWORD flags, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    Send(input);
}

// The navigation keys beside the letters, not those of the number pad.
bool IsExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
        case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            return true;
        default:
            return false;
    }
}

void KeyEvent(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    Send(input);
}

// A character the keyboard layout has no key for goes in as a Unicode character.
void TypeUnicode(char character) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<unsigned char>(character);
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    Send(input);
    input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    Send(input);
}

}  // namespace

bool BringToFront(HWND top) {
    if (GetForegroundWindow() == top) return true;
    SetForegroundWindow(top);
    return WaitUntil([top] { return GetForegroundWindow() == top; }, 2000);
}

void ClickAt(HWND window, int clientX, int clientY) {
    POINT screen{clientX, clientY};
    ClientToScreen(window, &screen);
    MouseEvent(MOUSEEVENTF_MOVE, screen);
    Sleep(kKeyPauseMs);
    MouseEvent(MOUSEEVENTF_LEFTDOWN, screen);
    Sleep(kKeyPauseMs);
    MouseEvent(MOUSEEVENTF_LEFTUP, screen);
    Sleep(kKeyPauseMs);
}

void DoubleClickAt(HWND window, int clientX, int clientY) {
    ClickAt(window, clientX, clientY);
    ClickAt(window, clientX, clientY);
}

void Click(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    ClickAt(window, client.right / 2, client.bottom / 2);
}

bool ClickToFocus(HWND control, int timeoutMs) {
    Click(control);
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    return WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
        },
        timeoutMs);
}

void PressKey(WORD virtualKey, bool shift) {
    if (shift) KeyEvent(VK_SHIFT, false);
    KeyEvent(virtualKey, false);
    KeyEvent(virtualKey, true);
    if (shift) KeyEvent(VK_SHIFT, true);
    Sleep(kKeyPauseMs);
}

void TypeText(const std::string& text) {
    for (char character : text) {
        const SHORT key = VkKeyScanA(character);
        if (key == -1) {
            TypeUnicode(character);
            Sleep(kKeyPauseMs);
        } else {
            PressKey(LOBYTE(key), (HIBYTE(key) & 1) != 0);
        }
    }
}

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PostClose(HWND top) { PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace qvtest
