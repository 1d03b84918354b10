// Enable, Disable and Save Disk Image, in the window and as the start, stop and save words, against the stand-ins.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "platform/win32/win32_driver_device.h"
#include "platform/win32/win32_installer_runner.h"
#include "qvconfig/driver/driver_interface.h"
#include "testbed/harness/screenshot.h"
#include "testbed/standins/knobs.h"
#include "testbed/standins/standins.h"

namespace qve2e {
namespace {

using qvtest::AppWindow;

// The seeded InstallDir: a directory whose name holds a blank, as on a real system.
const std::string kInstallDir = "C:\\Program Files\\Quorvel";
const std::string kImageFile = kInstallDir + "\\saved image.img";
constexpr std::uint32_t kImagePages = 1280;  // 5 MB, the smallest disk

// The installer's command lines as the stand-in logs them: both paths quoted.
const std::string kTarnset = "\"C:\\Program Files\\Quorvel\\tarnset.exe\"";
const std::string kSetupFile = "\"C:\\Program Files\\Quorvel\\qvdriver.inf\"";
const std::string kInstall = "-id " + kSetupFile;
const std::string kInstallAndEnable = "-ie " + kSetupFile;
const std::string kEnable = "-e";
const std::string kUninstall = "-u";

std::string Logged(const std::string& arguments, int exitCode) {
    return kTarnset + " " + arguments + " => " + std::to_string(exitCode);
}

const std::string kEnableCaption = "Quorvel Driver Enable";
const std::string kDisableCaption = "Quorvel Driver Disable";
const std::string kSavedCaption = "Quorvel Disk Image Saved";
const std::string kSavedText = "Disk image saved.";

// An installer run, the device probe and a cold Wine process together stay well below this.
constexpr int kOperationTimeoutMs = 20000;
// The probe gives up after 30 attempts a second apart; the -u run follows.
constexpr int kProbeGivesUpMs = 30000;
// How long a test watches for a change that must not come.
constexpr DWORD kSettleMs = 700;

// Which of the three driver buttons are enabled.
struct Buttons {
    bool enable;
    bool disable;
    bool saveImage;
    bool operator==(const Buttons& other) const {
        return enable == other.enable && disable == other.disable && saveImage == other.saveImage;
    }
};

std::ostream& operator<<(std::ostream& out, const Buttons& b) {
    return out << "{Enable " << (b.enable ? "on" : "off") << ", Disable " << (b.disable ? "on" : "off")
               << ", Save Disk Image " << (b.saveImage ? "on" : "off") << "}";
}

constexpr Buttons kStopped{true, false, false};
constexpr Buttons kRunning{false, true, true};

Buttons ButtonsOf(const AppWindow& editor) {
    return {qvtest::IsEnabled(editor.Control("Command4")), qvtest::IsEnabled(editor.Control("Command5")),
            qvtest::IsEnabled(editor.Control("Command6"))};
}

// The buttons once they show `expected`, or as they stand when the wait ran out.
Buttons AwaitButtons(const AppWindow& editor, const Buttons& expected, int timeoutMs = kOperationTimeoutMs) {
    qvtest::WaitUntil([&] { return ButtonsOf(editor) == expected; }, timeoutMs);
    return ButtonsOf(editor);
}

bool DeviceLoaded() { return qv::Win32DriverDevice().Open(qv::DeviceOpenForm::Status) != nullptr; }

std::optional<std::uint64_t> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::string> Lines(std::initializer_list<std::string> lines) { return lines; }

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

// Enable, then Save Disk Image, then Disable, with and without start at boot.
struct EnableCase {
    const char* name;
    DWORD bootEnable;
    std::vector<std::string> enableRuns;
};
void PrintTo(const EnableCase& c, std::ostream* out) { *out << c.name; }

class DriverOperationsEnableTest : public DriverOperationsTest,
                                   public ::testing::WithParamInterface<EnableCase> {};

TEST_P(DriverOperationsEnableTest, EnableSaveAndDisableDriveTheStandIns) {
    const EnableCase& c = GetParam();
    ASSERT_TRUE(qvtest::WriteDword("BootEnable", c.bootEnable));
    const AppWindow editor = OpenEditorShowing(kStopped);
    ASSERT_TRUE(editor);
    ASSERT_EQ(qvtest::CheckState(editor.Control("BootCheck")), c.bootEnable ? BST_CHECKED : BST_UNCHECKED);

    qvtest::PostClick(editor.Control("Command4"));
    EXPECT_EQ(AwaitButtons(editor, kRunning), kRunning) << "after Enable";
    EXPECT_EQ(Log(), c.enableRuns);
    EXPECT_TRUE(DeviceLoaded());
    SaveScreenshot(editor, std::string("driver-enabled-") + c.name);

    qvtest::PostClick(editor.Control("Command6"));
    HWND saved = AwaitBox(kSavedCaption);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(qvtest::MessageBoxText(saved), kSavedText);
    EXPECT_EQ(FileSize(kImageFile), kImagePages * 4096ull) << "the driver saves what the key says";
    qvtest::SaveScreenshot(saved, qvtest::WindowsPath(QV_SCREENSHOT_DIR), std::string("disk-image-saved-") + c.name);
    qvtest::PressMessageBoxButton(saved, IDOK);
    Sleep(kSettleMs);
    EXPECT_EQ(ButtonsOf(editor), kRunning) << "after Save Disk Image";

    ForgetLog();
    qvtest::PostClick(editor.Control("Command5"));
    EXPECT_EQ(AwaitButtons(editor, kStopped), kStopped) << "after Disable";
    EXPECT_EQ(Log(), Lines({Logged(kUninstall, 0)}));
    EXPECT_FALSE(DeviceLoaded());
    EXPECT_TRUE(qvtest::TopLevelWindows(Running().Id(), "#32770").empty()) << "Disable shows no box";
}

INSTANTIATE_TEST_SUITE_P(
    Boot, DriverOperationsEnableTest,
    ::testing::Values(EnableCase{"WithoutBoot", 0, {Logged(kInstall, 0), Logged(kEnable, 0)}},
                      EnableCase{"AtBoot", 1, {Logged(kInstallAndEnable, 0)}}),
    [](const auto& info) { return std::string(info.param.name); });

// Each failure that a knob provokes: its box, its caption, and the buttons left as they were.
struct FailureCase {
    const char* name;
    const char* knob;
    DWORD value;
    DWORD bootEnable;
    bool driverRunning;  // started before the window opens
    const char* button;
    const char* caption;
    const char* text;
};
void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class DriverOperationsFailureTest : public DriverOperationsTest,
                                    public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DriverOperationsFailureTest, ShowsItsMessageAndLeavesTheButtons) {
    const FailureCase& c = GetParam();
    ASSERT_TRUE(qvtest::WriteDword("BootEnable", c.bootEnable));
    if (c.driverRunning) { ASSERT_NO_FATAL_FAILURE(StartDriverBeforehand()); }
    ASSERT_TRUE(qvstandins::SetKnob(c.knob, c.value));
    const Buttons before = c.driverRunning ? kRunning : kStopped;
    const AppWindow editor = OpenEditorShowing(before);
    ASSERT_TRUE(editor);

    qvtest::PostClick(editor.Control(c.button));
    ExpectBox(c.caption, c.text);
    Sleep(kSettleMs);
    EXPECT_EQ(ButtonsOf(editor), before);
    EXPECT_TRUE(qvtest::TopLevelWindows(Running().Id(), "#32770").empty()) << "one box only";
    if (std::string(c.knob) == QV_KNOB_FAIL_SAVE) { EXPECT_FALSE(FileSize(kImageFile)); }
}

INSTANTIATE_TEST_SUITE_P(
    Knobs, DriverOperationsFailureTest,
    ::testing::Values(
        FailureCase{"InstallFails", "ExitCode_id", 3, 0, false, "Command4", "Quorvel Driver Enable",
                    "Error installing Quorvel driver."},
        FailureCase{"InstallAtBootFails", "ExitCode_ie", 2, 1, false, "Command4", "Quorvel Driver Enable",
                    "Error installing Quorvel driver."},
        FailureCase{"StartFails", "ExitCode_e", 5, 0, false, "Command4", "Quorvel Driver Enable",
                    "Error starting Quorvel driver."},
        FailureCase{"UninstallFails", "ExitCode_u", 6, 0, true, "Command5", "Quorvel Driver Disable",
                    "Error disabling Quorvel driver."},
        FailureCase{"DriverStaysLoaded", "ExitCode_u", 0, 0, true, "Command5", "Quorvel Driver Disable",
                    "Error disabling Quorvel driver - driver still loaded!"},
        FailureCase{"SaveRequestFails", QV_KNOB_FAIL_SAVE, 1, 0, true, "Command6", "Quorvel IOCTL Failed",
                    "The IOCTL call to save the disk image failed."}),
    [](const auto& info) { return std::string(info.param.name); });

// A driver that never makes its device: 30 probes a second apart, then -u and the two-line box.
TEST_F(DriverOperationsTest, DeviceThatNeverAppearsIsGivenUpAfterThirtySeconds) {
    ASSERT_TRUE(qvstandins::SetKnob(QV_KNOB_NO_DEVICE, 1));
    const AppWindow editor = OpenEditorShowing(kStopped);
    ASSERT_TRUE(editor);

    const DWORD pressedAt = GetTickCount();
    qvtest::PostClick(editor.Control("Command4"));
    HWND box = AwaitBox(kEnableCaption, kProbeGivesUpMs + kOperationTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_GE(GetTickCount() - pressedAt, static_cast<DWORD>(kProbeGivesUpMs));
    EXPECT_EQ(qvtest::MessageBoxText(box), "Error initializing Quorvel driver.\r\nThe driver did not start.");
    EXPECT_EQ(Log(), Lines({Logged(kInstall, 0), Logged(kEnable, 0), Logged(kUninstall, 0)}));
    qvtest::PressMessageBoxButton(box, IDOK);
    Sleep(kSettleMs);
    EXPECT_EQ(ButtonsOf(editor), kStopped);
}

// Unsaved edits bring the question before anything runs.
struct QuestionCase {
    const char* name;
    int answer;
    bool saves;
    bool installs;
};
void PrintTo(const QuestionCase& c, std::ostream* out) { *out << c.name; }

class DriverOperationsQuestionTest : public DriverOperationsTest,
                                     public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(DriverOperationsQuestionTest, AnswerDecidesWhatIsSavedAndRun) {
    const QuestionCase& c = GetParam();
    const AppWindow editor = OpenEditorShowing(kStopped);
    ASSERT_TRUE(editor);
    HWND text2 = editor.Control("Text2");
    ASSERT_TRUE(qvtest::ClickToFocus(text2, kReactTimeoutMs));
    qvtest::PressKey(VK_END);
    qvtest::TypeText("x");
    const std::string edited = kImageFile + "x";
    ASSERT_TRUE(qvtest::WaitUntil([&] { return qvtest::WindowText(text2) == edited; }, kReactTimeoutMs));

    qvtest::PostClick(editor.Control("Command4"));
    ExpectBox("Quorvel Driver Start", "Save current settings before starting driver?", c.answer);
    const Buttons after = c.installs ? kRunning : kStopped;
    EXPECT_EQ(AwaitButtons(editor, after), after);
    Sleep(kSettleMs);
    EXPECT_EQ(qvtest::ReadString("SaveImageFile"), c.saves ? edited : kImageFile);
    EXPECT_EQ(Log(), c.installs ? Lines({Logged(kInstall, 0), Logged(kEnable, 0)}) : Lines({}));
}

INSTANTIATE_TEST_SUITE_P(Answers, DriverOperationsQuestionTest,
                         ::testing::Values(QuestionCase{"Yes", IDYES, true, true},
                                           QuestionCase{"No", IDNO, false, true},
                                           QuestionCase{"Cancel", IDCANCEL, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

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
                                        public ::testing::WithParamInterface<WordFailureCase> {};

TEST_P(DriverOperationsWordFailureTest, ShowsItsBoxAloneAndEndsWithAFailureStatus) {
    const WordFailureCase& c = GetParam();
    if (c.driverRunning) { ASSERT_NO_FATAL_FAILURE(StartDriverBeforehand()); }
    if (c.knob) { ASSERT_TRUE(qvstandins::SetKnob(c.knob, c.value)); }
    if (c.installerMissing) { qvstandins::RemoveFrom(kInstallDir); }
    Start(c.word);
    HWND box = AwaitBox(c.caption, c.timeoutMs);
    ASSERT_NE(box, nullptr) << "windows: " << ::testing::PrintToString(qvtest::TopLevelCaptions(Running().Id()));
    EXPECT_EQ(qvtest::MessageBoxText(box), c.text);
    EXPECT_EQ(qvtest::TopLevelCaptions(Running().Id()), std::vector<std::string>{c.caption});
    qvtest::PressMessageBoxButton(box, IDOK);
    EXPECT_TRUE(Ends());
    EXPECT_EQ(Running().ExitCode(), kStatusFailed);
    if (c.installerMissing) { EXPECT_TRUE(qvstandins::CopyInto(kInstallDir)) << "for the driver's removal"; }
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

// A window of this program that covers another in one colour, to see whether the covered
// window paints itself again once it is uncovered.
constexpr COLORREF kCoverColour = RGB(255, 0, 255);

HWND CoverOver(HWND target) {
    static const ATOM cls = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = CreateSolidBrush(kCoverColour);
        wc.lpszClassName = "QvE2eCover";
        return RegisterClassA(&wc);
    }();
    RECT r{};
    GetWindowRect(target, &r);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(cls), "", WS_POPUP | WS_VISIBLE,
                                 r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(cover);
    return cover;
}

std::size_t CountColour(const qvtest::Image& image, COLORREF colour) {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
        count += RGB(image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]) == colour;
    }
    return count;
}

std::size_t DistinctColours(const qvtest::Image& image) {
    std::set<COLORREF> colours;
    for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
        colours.insert(RGB(image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]));
    }
    return colours.size();
}

// While a slow installer runs the window repaints when uncovered, and neither a click on
// Enable or Cancel nor the close command reaches it; afterwards it takes input again.
TEST_F(DriverOperationsTest, WindowPaintsButTakesNoInputWhileTheInstallerRuns) {
    ASSERT_TRUE(qvstandins::SetKnob(std::string(QV_KNOB_DELAY_PREFIX) + "id", 8000));
    const AppWindow editor = OpenEditorShowing(kStopped);
    ASSERT_TRUE(editor);
    qvtest::PostClick(editor.Control("Command4"));
    Sleep(kSettleMs);  // the installer has started; it logs its call only when it ends

    HWND cover = CoverOver(editor.Handle());
    const qvtest::Image covered = qvtest::CaptureWindow(cover);
    EXPECT_GT(CountColour(covered, kCoverColour), covered.rgb.size() / 3 / 2) << "the cover did not show";
    DestroyWindow(cover);
    const qvtest::Image uncovered = qvtest::CaptureWindow(editor.Handle());
    CreateDirectoryA(qvtest::WindowsPath(QV_SCREENSHOT_DIR).c_str(), nullptr);
    qvtest::WritePng(qvtest::WindowsPath(QV_SCREENSHOT_DIR) + "\\editor-while-installer-runs.png", uncovered);
    EXPECT_EQ(CountColour(uncovered, kCoverColour), 0u) << "the window did not repaint";
    EXPECT_GE(DistinctColours(uncovered), 4u) << "the window is blank";
    ASSERT_EQ(Log(), Lines({})) << "the screenshot waited for the installer: no painting while it ran";

    qvtest::Click(editor.Control("Command4"));
    qvtest::Click(editor.Control("Command2"));
    qvtest::PostClose(editor.Handle());
    ASSERT_EQ(Log(), Lines({})) << "the installer ended before the input was tried";

    EXPECT_EQ(AwaitButtons(editor, kRunning), kRunning);
    EXPECT_TRUE(editor) << "the window was closed under the running operation";
    EXPECT_FALSE(Running().HasExited());
    Sleep(kSettleMs);
    EXPECT_EQ(Log(), Lines({Logged(kInstall, 0), Logged(kEnable, 0)})) << "one Enable only";

    qvtest::PostClick(editor.Control("Command5"));
    EXPECT_EQ(AwaitButtons(editor, kStopped), kStopped) << "Disable works once the wait is over";
}

}  // namespace
}  // namespace qve2e
