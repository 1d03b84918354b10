// qvpanel.cpl's two entry points: the library's own, and CPlApplet, which the Control Panel calls.
// The library is built without the C run-time library: Windows 95 cannot LoadLibrary a DLL
// with static thread-local storage, and every DLL that carries the run-time has some.
#include <windows.h>

#include <cpl.h>
#include <cstddef>

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

void StartWithWinExec(const char* commandLine, int showState) {
    WinExec(commandLine, static_cast<UINT>(showState));
}

}  // namespace

// The library's entry point, named as the linker expects it: no work to do on any event.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID) { return TRUE; }

extern "C" LONG APIENTRY CPlApplet(HWND, UINT message, LPARAM, LPARAM record) {
    return qv::AppletMessage(message, reinterpret_cast<qv::AppletInfo*>(record), StartWithWinExec);
}
