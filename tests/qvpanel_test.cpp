// The applet's answers to each Control Panel message, what it writes, and how it starts the program.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "qvpanel/applet.h"

namespace qv {
namespace {

struct StartedProgram {
    std::string way;  // "run" (WinExec) or "open" (the shell)
    std::string program;
    int showState;
};

// Each attempt to start a program, in order; plain functions record them, as the applet
// takes no context. Each way of starting succeeds or fails as the test says.
std::vector<StartedProgram> started;
bool runStarts = true;
bool openStarts = true;
void Limit() { started.push_back({"limit", "", 0}); }
bool Run(const char* program, int showState) {
    started.push_back({"run", program, showState});
    return runStarts;
}
bool Open(const char* program, int showState) {
    started.push_back({"open", program, showState});
    return openStarts;
}
const ProgramStarters kRecordStart{Limit, Run, Open};

// A record full of a pattern that no answer contains, to see what the applet writes.
AppletInfo UnwrittenRecord() {
    AppletInfo info;
    std::memset(&info, 0x5A, sizeof info);
    return info;
}

bool Unwritten(const AppletInfo& info) {
    const AppletInfo pattern = UnwrittenRecord();
    return std::memcmp(&info, &pattern, sizeof info) == 0;
}

class AppletMessages : public ::testing::Test {
protected:
    void SetUp() override {
        started.clear();
        runStarts = openStarts = true;
    }
};

struct Answer {
    unsigned message;
    std::int32_t result;
    const char* why;
};

// Every message but CPL_INQUIRE and CPL_DBLCLK: the result only, nothing written, nothing started.
const Answer kPlainAnswers[] = {
    {CplInit, 1, "initialisation succeeds, so the library stays loaded"},
    {CplGetCount, 1, "one applet"},
    {CplSelect, 0, "nothing to do on selection"},
    {CplStop, 0, "nothing to clean up for the applet"},
    {CplExit, 0, "nothing to clean up before unloading"},
    {CplNewInquire, 1, "not handled: the Control Panel asks with CPL_INQUIRE"},
    {CplStartWParmsA, 0, "not handled: the caller opens the applet with CPL_DBLCLK"},
    {CplStartWParmsW, 0, "not handled: the caller opens the applet with CPL_DBLCLK"},
    {0, 0, "an unknown message"},
    {11, 0, "an unknown message"},
    {200, 0, "the setup message of the system's own applets"},
    {0xFFFFFFFFu, 0, "an unknown message"},
};

TEST_F(AppletMessages, EachOtherMessageGivesItsResultAndTouchesNothing) {
    for (const Answer& answer : kPlainAnswers) {
        SCOPED_TRACE(answer.why);
        AppletInfo info = UnwrittenRecord();
        EXPECT_EQ(AppletMessage(answer.message, &info, kRecordStart), answer.result) << answer.message;
        EXPECT_TRUE(Unwritten(info)) << answer.message;
    }
    EXPECT_TRUE(started.empty());
}

TEST_F(AppletMessages, InquireFillsIconNameDescriptionAndZeroData) {
    AppletInfo info = UnwrittenRecord();
    EXPECT_EQ(AppletMessage(CplInquire, &info, kRecordStart), 0);
    // Copies: the record is packed, and a test macro would bind a reference to a misaligned field.
    const std::int32_t icon = info.idIcon, name = info.idName, description = info.idInfo;
    const std::intptr_t data = info.lData;
    EXPECT_EQ(icon, 101);
    EXPECT_EQ(name, 1);
    EXPECT_EQ(description, 2);
    EXPECT_EQ(data, 0);
    EXPECT_TRUE(started.empty());
}

TEST(AppletInfoRecord, HasTheControlPanelsPackedLayout) {
    // Three 32-bit numbers, then a pointer-sized value straight after them, as in CPLINFO.
    EXPECT_EQ(sizeof(AppletInfo), 12 + sizeof(void*));
    EXPECT_EQ(offsetof(AppletInfo, lData), 12u);
}

// Whether running the program directly and opening it through the shell start it, and
// the attempts that a double click makes then, in order.
struct StartCase {
    bool runStarts;
    bool openStarts;
    std::vector<std::string> ways;
    const char* why;
};

const StartCase kStartCases[] = {
    {true, true, {"limit", "run"}, "the usual way: started directly, the shell is not asked"},
    {false, true, {"limit", "run", "open"}, "refused directly (it asks for administrator rights): the shell starts it"},
    {false, false, {"limit", "run", "open"}, "nowhere to be found: both ways are tried, nothing is reported"},
};

TEST_F(AppletMessages, DoubleClickStartsTheProgramByBareNameShownNormallyThroughTheShellIfNeeded) {
    for (const StartCase& row : kStartCases) {
        SCOPED_TRACE(row.why);
        started.clear();
        runStarts = row.runStarts;
        openStarts = row.openStarts;
        AppletInfo info = UnwrittenRecord();
        EXPECT_EQ(AppletMessage(CplDblClk, &info, kRecordStart), 0);
        std::vector<std::string> ways;
        for (const StartedProgram& attempt : started) {
            ways.push_back(attempt.way);
            if (attempt.way == "limit") continue;
            EXPECT_EQ(attempt.program, "qvconfig.exe");
            EXPECT_EQ(attempt.showState, 1);
        }
        EXPECT_EQ(ways, row.ways);
        EXPECT_TRUE(Unwritten(info));
    }
}

TEST_F(AppletMessages, EveryDoubleClickStartsAnotherInstance) {
    AppletMessage(CplDblClk, nullptr, kRecordStart);
    AppletMessage(CplDblClk, nullptr, kRecordStart);
    ASSERT_EQ(started.size(), 4u);
    EXPECT_EQ(started[3].program, "qvconfig.exe");
}

}  // namespace
}  // namespace qv
