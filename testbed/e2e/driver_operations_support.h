// What the driver-operation tests share: the stand-ins' command lines, the messages, and their fixture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "driver_buttons.h"
#include "e2e_fixture.h"
#include "platform/win32/win32_driver_device.h"
#include "platform/win32/win32_installer_runner.h"
#include "qvconfig/driver/driver_interface.h"
#include "testbed/harness/screenshot.h"
#include "testbed/standins/knobs.h"
#include "testbed/standins/standins.h"

namespace qve2e {

using qvtest::AppWindow;

// The seeded InstallDir: a directory whose name holds a blank, as on a real system.
inline const std::string kInstallDir = "C:\\Program Files\\Quorvel";
inline const std::string kImageFile = kInstallDir + "\\saved image.img";
constexpr std::uint32_t kImagePages = 1280;  // 5 MB, the smallest disk

// The installer's command lines as the stand-in logs them: both paths quoted.
inline const std::string kTarnset = "\"C:\\Program Files\\Quorvel\\tarnset.exe\"";
inline const std::string kSetupFile = "\"C:\\Program Files\\Quorvel\\qvdriver.inf\"";
inline const std::string kInstall = "-id " + kSetupFile;
inline const std::string kInstallAndEnable = "-ie " + kSetupFile;
inline const std::string kEnable = "-e";
inline const std::string kUninstall = "-u";

inline std::string Logged(const std::string& arguments, int exitCode) {
    return kTarnset + " " + arguments + " => " + std::to_string(exitCode);
}

inline const std::string kEnableCaption = "Quorvel Driver Enable";
inline const std::string kDisableCaption = "Quorvel Driver Disable";

// The probe gives up after 30 attempts a second apart; the -u run follows.
constexpr int kProbeGivesUpMs = 30000;
// How long a test watches for a change that must not come.
constexpr DWORD kSettleMs = 700;

inline std::vector<std::string> Lines(std::initializer_list<std::string> lines) { return lines; }

// Every test starts with the stand-ins in the install directory, no driver service, no
// knob, no log and no image, and leaves the same behind.
class DriverOperationsTest : public QvconfigTest {
protected:
    void SetUp() override {
        QvconfigTest::SetUp();
        ASSERT_TRUE(qvstandins::ClearKnobs());
        ASSERT_TRUE(qvstandins::CopyInto(kInstallDir));
        ASSERT_TRUE(qvstandins::RemoveDriver(kInstallDir)) << "a driver left behind cannot be removed";
        ForgetLog();
        DeleteFileA(kImageFile.c_str());
        ASSERT_TRUE(qvtest::WriteString("SaveImageFile", kImageFile));
        ASSERT_TRUE(qvtest::WriteDword("SizeIn4kPages", kImagePages));
    }
    void TearDown() override {
        QvconfigTest::TearDown();
        EXPECT_TRUE(qvstandins::RemoveDriver(kInstallDir));
        DeleteFileA(kImageFile.c_str());
        qvstandins::RemoveFrom(kInstallDir);
    }

    static void ForgetLog() { DeleteFileA((kInstallDir + "\\" QV_STANDIN_LOG).c_str()); }
    static std::vector<std::string> Log() { return qvstandins::LogLines(kInstallDir); }

    // Installs and starts the driver as an earlier session would have, then forgets the log.
    static void StartDriverBeforehand() {
        const qv::InstallerResult result = qv::Win32InstallerRunner().Run(
            qv::InstallerCommand(kInstallDir, qv::InstallerSwitch::InstallAndEnable));
        ASSERT_TRUE(result.started && result.exitCode == 0);
        ASSERT_TRUE(qvtest::WaitUntil(DeviceLoaded, kOperationTimeoutMs)) << "the stand-in driver did not start";
        ForgetLog();
    }

    AppWindow OpenEditorShowing(const Buttons& expected) {
        const AppWindow editor = OpenEditor();
        if (editor) { EXPECT_EQ(AwaitButtons(editor, expected, kReactTimeoutMs), expected) << "after loading"; }
        return editor;
    }

    HWND AwaitBox(const std::string& caption, int timeoutMs = kOperationTimeoutMs) {
        return qvtest::FindMessageBox(Running().Id(), caption, timeoutMs);
    }

    // Waits for the box, checks its text and answers it with `button`.
    void ExpectBox(const std::string& caption, const std::string& text, int button = IDOK,
                   int timeoutMs = kOperationTimeoutMs) {
        HWND box = AwaitBox(caption, timeoutMs);
        ASSERT_NE(box, nullptr) << "no box \"" << caption << "\"; windows: "
                                << ::testing::PrintToString(qvtest::TopLevelCaptions(Running().Id()));
        EXPECT_EQ(qvtest::MessageBoxText(box), text);
        qvtest::PressMessageBoxButton(box, button);
        EXPECT_TRUE(qvtest::WaitUntil([&] { return !IsWindow(box); }, kReactTimeoutMs));
    }
};

}  // namespace qve2e
