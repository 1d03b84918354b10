// The applet's answers to the Control Panel's messages: portable, and free of any run-time library.
#pragma once

#include <cstdint>

#include "platform/show_command.h"
#include "qvpanel/applet_resources.h"

namespace qv {

// Message numbers of the control-panel protocol.
enum AppletMessageNumber : unsigned {
    CplInit = 1,
    CplGetCount = 2,
    CplInquire = 3,
    CplSelect = 4,
    CplDblClk = 5,
    CplStop = 6,
    CplExit = 7,
    CplNewInquire = 8,
    CplStartWParmsA = 9,
    CplStartWParmsW = 10,
};

// The record that CPL_INQUIRE fills, laid out byte for byte like the system's CPLINFO
// (packed: three 32-bit resource numbers, then a pointer-sized value), so that the
// Control Panel's record can be handed over as it is.
#pragma pack(push, 1)
struct AppletInfo {
    std::int32_t idIcon;
    std::int32_t idName;
    std::int32_t idInfo;
    std::intptr_t lData;
};
#pragma pack(pop)

// What the applet shows in the Control Panel: resource numbers of its library.
constexpr std::int32_t AppletIconId = QV_APPLET_ICON;
constexpr std::int32_t AppletNameId = QV_APPLET_NAME;
constexpr std::int32_t AppletDescriptionId = QV_APPLET_DESCRIPTION;

// The program that opening the applet starts, by its bare file name, so that the
// system's normal search for programs finds it. It is started with ShowNormal.
constexpr const char* ConfigurationProgram = "qvconfig.exe";

// Starts a program by its file name with a show state; returns whether it started. Plain
// functions rather than an interface, so that the library needs no C++ run-time support.
using StartProgram = bool (*)(const char* program, int showState);

// What starting the configuration program takes. `limitLibrarySearch` comes first: it
// keeps the libraries that the starting loads (the shell's among them) to the system
// directory. Then the two ways of starting it: `run` starts it directly (WinExec) and is
// the usual way. `open` asks the shell to open it (ShellExecute's "open"): the one way
// that can start a program whose manifest asks for administrator rights, since the shell
// asks the user for them.
struct ProgramStarters {
    void (*limitLibrarySearch)();
    StartProgram run;
    StartProgram open;
};

// Answers one Control Panel message. `info` is the record that the message's second
// parameter points to; it is written for CPL_INQUIRE only (and must then be valid).
// `start` is used for CPL_DBLCLK only: the library search limited, then `run`, and
// `open` only when `run` failed.
// The applet index and the owner window carry nothing the applet needs, so they are
// not passed in.
std::int32_t AppletMessage(unsigned message, AppletInfo* info, const ProgramStarters& start);

}  // namespace qv
