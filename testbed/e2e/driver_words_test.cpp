// The start, stop and save words against the stand-ins: no window, the boxes alone, and the exit status.
#include "driver_operations_support.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <type_traits>

namespace qve2e {
namespace {

// The words run their operation with no window on the screen and end the program,
// with status 0 when the operation did what was asked.
using DriverOperationsWordsTest = DriverOperationsTest;

TEST_F(DriverOperationsWordsTest, StartSaveAndStopRunWithoutAWindow) {
    qvtest::Program& start = Start("start");
    bool sawWindow = false;
    EXPECT_TRUE(qvtest::WaitUntil(
        [&] {
            sawWindow = sawWindow || !qvtest::TopLevelWindows(start.Id()).empty();
            return start.HasExited();
        },
        kOperationTimeoutMs));
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(start.ExitCode(), kStatusDone);
    EXPECT_EQ(Log(), Lines({Logged(kInstall, 0), Logged(kEnable, 0)}));
    EXPECT_TRUE(DeviceLoaded());

    Start("save");
    HWND saved = AwaitBox(kSavedCaption);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(qvtest::MessageBoxText(saved), kSavedText);
    EXPECT_EQ(qvtest::TopLevelCaptions(Running().Id()), std::vector<std::string>{kSavedCaption}) << "the box alone";
    EXPECT_EQ(FileSize(kImageFile), kImagePages * 4096ull);
    qvtest::PressMessageBoxButton(saved, IDOK);
    EXPECT_TRUE(Ends());
    EXPECT_EQ(Running().ExitCode(), kStatusDone);

    ForgetLog();
    qvtest::Program& stop = Start("stop");
    EXPECT_TRUE(stop.WaitForExit(kOperationTimeoutMs));
    EXPECT_EQ(stop.ExitCode(), kStatusDone);
    EXPECT_EQ(Log(), Lines({Logged(kUninstall, 0)}));
    EXPECT_FALSE(DeviceLoaded());
}

// A word whose operation fails shows its box with no window beside it, and ends with
// status 1 once it is answered.
struct WordFailureCase {
    const char* name;
    const char* word;
    const char* knob;  // nullptr: none
    DWORD value;
    bool driverRunning;
    bool installerMissing;
    const char* caption;
    const char* text;
    int timeoutMs;
};
void PrintTo(const WordFailureCase& c, std::ostream* out) { *out << c.name; }

class DriverOperationsWordFailureTest : public DriverOperationsTest,
                                        public ::testing::WithParamInterface<WordFailureCase> {
protected:
    // The driver, the knob and the installer as the case says.
    static void Arrange(const WordFailureCase& c) {
        if (c.driverRunning) { ASSERT_NO_FATAL_FAILURE(StartDriverBeforehand()); }
        if (c.knob) { ASSERT_TRUE(qvstandins::SetKnob(c.knob, c.value)); }
        if (c.installerMissing) { qvstandins::RemoveFrom(kInstallDir); }
    }
    void TearDown() override {
        if (GetParam().installerMissing) { EXPECT_TRUE(qvstandins::CopyInto(kInstallDir)) << "for the driver's removal"; }
        DriverOperationsTest::TearDown();
    }
};

TEST_P(DriverOperationsWordFailureTest, ShowsItsBoxAloneAndEndsWithAFailureStatus) {
    const WordFailureCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Arrange(c));
    Start(c.word);
    HWND box = AwaitBox(c.caption, c.timeoutMs);
    ASSERT_NE(box, nullptr) << "windows: " << ::testing::PrintToString(qvtest::TopLevelCaptions(Running().Id()));
    EXPECT_EQ(qvtest::MessageBoxText(box), c.text);
    EXPECT_EQ(qvtest::TopLevelCaptions(Running().Id()), std::vector<std::string>{c.caption});
    qvtest::PressMessageBoxButton(box, IDOK);
    EXPECT_TRUE(Ends());
    EXPECT_EQ(Running().ExitCode(), kStatusFailed);
}

// Where nobody sees the desktop (a window station of its own, which lacks WSF_VISIBLE as a
// service's does) the word shows no box: it ends by itself with the same status, and the
// box's caption and text are on its standard error.
TEST_P(DriverOperationsWordFailureTest, WithoutAVisibleDesktopEndsByItselfWithItsMessageOnStandardError) {
    const WordFailureCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Arrange(c));
    const std::unique_ptr<std::remove_pointer_t<HWINSTA>, decltype(&CloseWindowStation)> station(
        CreateWindowStationA("QuorvelUnattended", 0, WINSTA_ALL_ACCESS, nullptr), &CloseWindowStation);
    ASSERT_NE(station, nullptr) << GetLastError();
    const std::string errorFile = "C:\\windows\\temp\\qvconfig-unattended.txt";
    ASSERT_TRUE(Start(c.word, {"QuorvelUnattended\\Default", errorFile}).WaitForExit(c.timeoutMs))
        << "waiting for a box that nobody sees";
    EXPECT_EQ(Running().ExitCode(), kStatusFailed);
    std::ifstream error(errorFile, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(error), {}), std::string(c.caption) + ": " + c.text + "\r\n");
}

const std::string kMissingInstallerText = "Cannot run the Quorvel installer " + kInstallDir + "\\tarnset.exe.";

INSTANTIATE_TEST_SUITE_P(
    Words, DriverOperationsWordFailureTest,
    ::testing::Values(
        WordFailureCase{"SaveWithoutDriver", "save", nullptr, 0, false, false, "Open Quorvel Driver",
                        "Cannot open the Quorvel device.", kOperationTimeoutMs},
        WordFailureCase{"SaveRequestFails", "save", QV_KNOB_FAIL_SAVE, 1, true, false, "Quorvel IOCTL Failed",
                        "The IOCTL call to save the disk image failed.", kOperationTimeoutMs},
        WordFailureCase{"StartInstallFails", "start", "ExitCode_id", 3, false, false, "Quorvel Driver Enable",
                        "Error installing Quorvel driver.", kOperationTimeoutMs},
        WordFailureCase{"StartFails", "start", "ExitCode_e", 5, false, false, "Quorvel Driver Enable",
                        "Error starting Quorvel driver.", kOperationTimeoutMs},
        WordFailureCase{"StartInstallerMissing", "start", nullptr, 0, false, true, "Quorvel Driver Enable",
                        kMissingInstallerText.c_str(), kOperationTimeoutMs},
        WordFailureCase{"StartGivesUp", "start", QV_KNOB_NO_DEVICE, 1, false, false, "Quorvel Driver Enable",
                        "Error initializing Quorvel driver.\r\nThe driver did not start.",
                        kProbeGivesUpMs + kOperationTimeoutMs},
        WordFailureCase{"StopFails", "stop", "ExitCode_u", 6, true, false, "Quorvel Driver Disable",
                        "Error disabling Quorvel driver.", kOperationTimeoutMs},
        WordFailureCase{"StopLeavesDriverLoaded", "stop", "ExitCode_u", 0, true, false, "Quorvel Driver Disable",
                        "Error disabling Quorvel driver - driver still loaded!", kOperationTimeoutMs},
        WordFailureCase{"StopInstallerMissing", "stop", nullptr, 0, false, true, "Quorvel Driver Disable",
                        kMissingInstallerText.c_str(), kOperationTimeoutMs}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qve2e
