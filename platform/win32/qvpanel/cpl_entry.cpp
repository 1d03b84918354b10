// qvpanel.cpl's two entry points: the library's own, and CPlApplet, which the Control Panel calls.
// The library is built without the C run-time library: Windows 95 cannot LoadLibrary a DLL
// with static thread-local storage, and every DLL that carries the run-time has some.
#include <windows.h>

#include <cpl.h>
#include <cstddef>

#include "platform/win32/late_calls.h"
#include "qvpanel/applet.h"

namespace {

// The Control Panel's record is handed to the portable code as it is.
static_assert(sizeof(qv::AppletInfo) == sizeof(CPLINFO), "AppletInfo mirrors CPLINFO");
static_assert(offsetof(qv::AppletInfo, idIcon) == offsetof(CPLINFO, idIcon), "idIcon");
static_assert(offsetof(qv::AppletInfo, idName) == offsetof(CPLINFO, idName), "idName");
static_assert(offsetof(qv::AppletInfo, idInfo) == offsetof(CPLINFO, idInfo), "idInfo");
static_assert(offsetof(qv::AppletInfo, lData) == offsetof(CPLINFO, lData), "lData");
static_assert(qv::ShowNormal == SW_SHOWNORMAL, "show state");
static_assert(qv::CplInquire == CPL_INQUIRE && qv::CplDblClk == CPL_DBLCLK &&
                  qv::CplNewInquire == CPL_NEWINQUIRE && qv::CplStartWParmsW == CPL_STARTWPARMSW,
              "message numbers");

// WinExec reports a program that started with a result above 31.
bool RunWithWinExec(const char* program, int showState) {
    return WinExec(program, static_cast<UINT>(showState)) > 31;
}

// ShellExecuteA, looked up when it is needed, so that the applet imports from kernel32
// alone. It reports a program that started with a result above 32.
bool OpenThroughTheShell(const char* program, int showState) {
    using ShellExecuteCall = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    const HMODULE shell = LoadLibraryA("shell32.dll");
    if (!shell) return false;
    const FARPROC found = GetProcAddress(shell, "ShellExecuteA");
    bool started = false;
    if (found) {
        const auto shellExecute = reinterpret_cast<ShellExecuteCall>(reinterpret_cast<void*>(found));
        started = reinterpret_cast<INT_PTR>(shellExecute(nullptr, "open", program, nullptr, nullptr, showState)) > 32;
    }
    FreeLibrary(shell);
    return started;
}

constexpr qv::ProgramStarters kStarters{qv::LimitLibrarySearch, RunWithWinExec, OpenThroughTheShell};

}  // namespace

// The library's entry point, named as the linker expects it: no work to do on any event.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" LONG APIENTRY CPlApplet(HWND, UINT message, LPARAM, LPARAM record) {
    return qv::AppletMessage(message, reinterpret_cast<qv::AppletInfo*>(record), kStarters);
}
