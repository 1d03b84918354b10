// The applet's answers to the Control Panel's messages.
#include "qvpanel/applet.h"

namespace qv {
namespace {

// The answers the protocol asks for when a message needs no work of ours.
constexpr std::int32_t Succeeded = 0;       // most messages: 0 means "handled, all went well"
constexpr std::int32_t InitSucceeded = 1;   // CPL_INIT: nonzero keeps the library loaded
constexpr std::int32_t NotHandled = 1;      // CPL_NEWINQUIRE: nonzero means "ask with CPL_INQUIRE"
constexpr std::int32_t NotStarted = 0;      // CPL_STARTWPARMS: 0 makes the caller send CPL_DBLCLK

// The library holds exactly one applet.
constexpr std::int32_t AppletCount = 1;

void Describe(AppletInfo& info) {
    info.idIcon = AppletIconId;
    info.idName = AppletNameId;
    info.idInfo = AppletDescriptionId;
    info.lData = 0;
}

// Vista and later refuse to run the program directly once it asks for administrator
// rights; the shell then starts it after asking for them, and finds the bare file name
// the way users expect. Whether either way started it is not reported.
void StartConfigurationProgram(const ProgramStarters& start) {
    start.limitLibrarySearch();
    if (!start.run(ConfigurationProgram, ShowNormal)) start.open(ConfigurationProgram, ShowNormal);
}

}  // namespace

std::int32_t AppletMessage(unsigned message, AppletInfo* info, const ProgramStarters& start) {
    switch (message) {
    case CplInit:
        // Nothing to prepare; a zero here would make the Control Panel drop the library.
        return InitSucceeded;
    case CplGetCount:
        return AppletCount;
    case CplInquire:
        Describe(*info);
        return Succeeded;
    case CplNewInquire:
        // The fixed resource numbers of CPL_INQUIRE can be cached by the Control Panel;
        // leaving this record untouched and answering "not handled" makes it use them.
        return NotHandled;
    case CplDblClk:
        // Every open starts a new instance.
        StartConfigurationProgram(start);
        return Succeeded;
    case CplStartWParmsA:
    case CplStartWParmsW:
        // Opening from a command line ("control qvpanel.cpl") takes no extra directions:
        // answering "not handled" makes the caller open the applet with CPL_DBLCLK.
        return NotStarted;
    default:
        // CPL_SELECT, CPL_STOP, CPL_EXIT and anything newer: nothing was allocated or
        // shown, so there is nothing to do, and 0 reports that it went well.
        return Succeeded;
    }
}

}  // namespace qv
