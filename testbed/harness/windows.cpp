// Finding a program's windows and controls, and reading what they show.
#include "testbed/harness/windows.h"

#include <cstring>
#include <cwchar>

#include "qvconfig/notices/notices.h"
#include "qvconfig/window/editor.h"
#include "testbed/harness/program.h"

namespace qvtest {

namespace {

constexpr int kFirstControlId = 1000;

bool SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                               result) != 0;
}

// The answer to a message that carries no pointer; `failed` when the program did not answer.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT failed = -1) {
    DWORD_PTR result = 0;
    return SendTimed(window, message, wParam, lParam, &result) ? static_cast<LRESULT>(result) : failed;
}

struct Search {
    DWORD processId;
    const std::string* caption;  // nullptr: every caption
    const char* windowClass;
    std::vector<HWND> found;
};

bool Matches(HWND window, const Search& search) {
    if (!IsWindowVisible(window)) return false;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search.processId != 0 && owner != search.processId) return false;
    if (search.windowClass && ClassName(window) != search.windowClass) return false;
    return !search.caption || *search.caption == Caption(window);
}

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (Matches(window, search)) search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevels(DWORD processId, const std::string* caption, const char* windowClass) {
    Search search{processId, caption, windowClass, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND FindTopLevel(DWORD processId, const std::string& caption, int timeoutMs, const char* windowClass) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopLevels(processId, &caption, windowClass);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const char* windowClass) {
    return TopLevels(processId, nullptr, windowClass);
}

std::vector<std::string> TopLevelCaptions(DWORD processId) {
    std::vector<std::string> captions;
    for (HWND window : TopLevels(processId, nullptr, nullptr)) captions.push_back(Caption(window));
    return captions;
}

// A top-level window's caption is kept by the system, so reading it sends nothing.
std::string Caption(HWND top) {
    char caption[512] = "";
    GetWindowTextA(top, caption, sizeof caption);
    return caption;
}

const qv::FormLayout* FormOfCaption(const std::string& caption) {
    for (const qv::FormLayout* form : {&qv::EditorLayout(), &qv::LoadFailLayout(), &qv::NoDriveLayout(), &qv::NomemLayout()}) {
        if (caption == form->caption) return form;
    }
    return nullptr;
}

int ControlId(const qv::FormLayout& form, const std::string& name) {
    for (std::size_t row = 0; row < form.controlCount; ++row) {
        if (name == form.controls[row].name) return kFirstControlId + static_cast<int>(row);
    }
    return 0;
}

HWND AppWindow::Control(const std::string& name) const {
    const int id = ControlId(*form_, name);
    return id ? GetDlgItem(window_, id) : nullptr;
}

std::string AppWindow::NameOf(HWND child) const {
    while (child && GetParent(child) != window_) child = GetParent(child);
    if (!child) return "";
    const int row = GetDlgCtrlID(child) - kFirstControlId;
    if (row < 0 || static_cast<std::size_t>(row) >= form_->controlCount) return "";
    return form_->controls[row].name;
}

std::string AppWindow::FocusedControl() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info)) return "";
    return NameOf(info.hwndFocus);
}

AppWindow FindAppWindow(DWORD processId, const std::string& caption, int timeoutMs) {
    const qv::FormLayout* form = FormOfCaption(caption);
    HWND window = form ? FindTopLevel(processId, caption, timeoutMs) : nullptr;
    return window ? AppWindow(window, *form) : AppWindow();
}

std::string WindowText(HWND window) {
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH, 0, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendTimed(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) {
        return "";
    }
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

LONG Style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

int CheckState(HWND checkBox) { return static_cast<int>(Ask(checkBox, BM_GETCHECK)); }

int ScrollPosition(HWND scrollBar) { return static_cast<int>(Ask(scrollBar, SBM_GETPOS)); }

// Asked in the wide form: the ANSI form of CB_GETLBTEXT across processes brings Wine's
// user32 down in the asking process.
std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = Ask(combo, CB_GETCOUNT);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = Ask(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length < 0) break;
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()),
                                 SMTO_NORMAL, kSendTimeoutMs, &copied)) {
            break;
        }
        wide.resize(std::wcslen(wide.c_str()));
        std::string item(wide.size() * 2 + 1, '\0');
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), item.data(),
                                              static_cast<int>(item.size()), nullptr, nullptr);
        item.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
        items.push_back(item);
    }
    return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(Ask(combo, CB_GETCURSEL)); }

RECT RectInClient(HWND window, HWND top) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND top) {
    RECT rect{};
    GetClientRect(top, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace qvtest
