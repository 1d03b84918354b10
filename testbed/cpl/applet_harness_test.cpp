// qvpanel.cpl as a Control Panel meets it: loaded with LoadLibrary, asked through CPlApplet, its resources read.
#include <windows.h>

#include <cpl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testbed/harness/program.h"

namespace {

// The library loaded for one test and freed after it, as a Control Panel does.
class LoadedApplet : public ::testing::Test {
protected:
    void SetUp() override {
        // Loading runs the library's own entry point, which must report success.
        module_ = LoadLibraryA(qvtest::BuiltPath("QV_PANEL_CPL", QV_PANEL_CPL).c_str());
        ASSERT_NE(module_, nullptr) << "LoadLibrary failed: " << GetLastError();
        FARPROC entry = GetProcAddress(module_, "CPlApplet");
        ASSERT_NE(entry, nullptr) << "no export named CPlApplet";
        applet_ = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(entry));
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    LONG Send(UINT message, LPARAM index, void* record, HWND owner) {
        return applet_(owner, message, index, reinterpret_cast<LPARAM>(record));
    }

    HMODULE module_ = nullptr;
    APPLET_PROC applet_ = nullptr;
};

// The applet index and the owner window must make no difference: each message goes out
// as a Control Panel would send it and with values no Control Panel would use.
struct Caller {
    LPARAM index;
    bool desktopOwner;
};
const Caller kCallers[] = {{0, false}, {0, true}, {5, true}, {-1, false}};

HWND Owner(const Caller& caller) { return caller.desktopOwner ? GetDesktopWindow() : nullptr; }

struct Answer {
    UINT message;
    LONG result;
};
// Everything but CPL_INQUIRE and CPL_DBLCLK; CPL_NEWINQUIRE gets a record it must leave alone.
const Answer kAnswers[] = {
    {CPL_INIT, 1},          // initialisation succeeds: the library stays loaded
    {CPL_GETCOUNT, 1},      // one applet
    {CPL_SELECT, 0},        // nothing to do
    {CPL_NEWINQUIRE, 1},    // not handled: the Control Panel uses CPL_INQUIRE's cacheable answer
    {CPL_STARTWPARMSA, 0},  // not handled: the caller opens the applet with CPL_DBLCLK
    {CPL_STARTWPARMSW, 0},
    {CPL_STOP, 0},          // nothing to clean up
    {CPL_EXIT, 0},
    {CPL_SETUP, 0},         // a message only the system's own applets know
};

TEST_F(LoadedApplet, EachMessageGivesItsResultWhateverTheIndexAndOwner) {
    for (const Caller& caller : kCallers) {
        for (const Answer& answer : kAnswers) {
            NEWCPLINFOA record;
            std::memset(&record, 0xCC, sizeof record);
            const NEWCPLINFOA untouched = record;
            EXPECT_EQ(Send(answer.message, caller.index, &record, Owner(caller)), answer.result)
                << "message " << answer.message << ", index " << caller.index;
            EXPECT_EQ(std::memcmp(&record, &untouched, sizeof record), 0) << "message " << answer.message;
        }
    }
}

TEST_F(LoadedApplet, InquireFillsTheRecordAndWritesNothingBeyondIt) {
    for (const Caller& caller : kCallers) {
        unsigned char buffer[sizeof(CPLINFO) + 8];
        std::memset(buffer, 0xCC, sizeof buffer);
        EXPECT_EQ(Send(CPL_INQUIRE, caller.index, buffer, Owner(caller)), 0);
        CPLINFO info;
        std::memcpy(&info, buffer, sizeof info);
        EXPECT_EQ(info.idIcon, 101);
        EXPECT_EQ(info.idName, 1);
        EXPECT_EQ(info.idInfo, 2);
        EXPECT_EQ(info.lData, 0);  // all of its bytes: it is pointer-sized here
        for (std::size_t i = sizeof info; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 0xCC) << "byte " << i;
    }
}

std::string LoadedString(HMODULE module, UINT id) {
    char text[256] = "";
    LoadStringA(module, id, text, sizeof text);
    return text;
}

TEST_F(LoadedApplet, TheNumbersItReportsNameItsIconAndTexts) {
    // What a Control Panel does with the CPL_INQUIRE answer: load the icon and the two strings.
    EXPECT_EQ(LoadedString(module_, 1), "Quorvel");
    EXPECT_EQ(LoadedString(module_, 2), "Quorvel Configuration Tool");
    HICON icon = LoadIconA(module_, MAKEINTRESOURCEA(101));
    ASSERT_NE(icon, nullptr);
    ICONINFO parts{};
    ASSERT_TRUE(GetIconInfo(icon, &parts));
    BITMAP image{};
    GetObjectA(parts.hbmColor, sizeof image, &image);
    EXPECT_EQ(image.bmWidth, 32);
    EXPECT_EQ(image.bmHeight, 32);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
}

TEST_F(LoadedApplet, DoubleClickReturnsZeroEvenWhenTheProgramIsNowhereToBeFound) {
    char found[MAX_PATH];
    ASSERT_EQ(SearchPathA(nullptr, "qvconfig.exe", nullptr, MAX_PATH, found, nullptr), 0u)
        << "a qvconfig.exe is on the search path: " << found;
    for (const Caller& caller : kCallers) EXPECT_EQ(Send(CPL_DBLCLK, caller.index, nullptr, Owner(caller)), 0);
}

}  // namespace
