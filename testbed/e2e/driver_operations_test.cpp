// Enable, Disable and Save Disk Image in the window, against the stand-ins.
#include "driver_operations_support.h"

namespace qve2e {
namespace {

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
    ASSERT_EQ(qvtest::CheckState(editor.Control("startAtBootCheck")), c.bootEnable ? BST_CHECKED : BST_UNCHECKED);

    qvtest::PostClick(editor.Control("enableButton"));
    EXPECT_EQ(AwaitButtons(editor, kRunning), kRunning) << "after Enable";
    EXPECT_EQ(Log(), c.enableRuns);
    EXPECT_TRUE(DeviceLoaded());
    SaveScreenshot(editor, std::string("driver-enabled-") + c.name);

    qvtest::PostClick(editor.Control("saveDiskImageButton"));
    HWND saved = AwaitBox(kSavedCaption);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(qvtest::MessageBoxText(saved), kSavedText);
    EXPECT_EQ(FileSize(kImageFile), kImagePages * 4096ull) << "the driver saves what the key says";
    qvtest::SaveScreenshot(saved, qvtest::BuiltPath("QV_SCREENSHOT_DIR", QV_SCREENSHOT_DIR), std::string("disk-image-saved-") + c.name);
    qvtest::PressMessageBoxButton(saved, IDOK);
    Sleep(kSettleMs);
    EXPECT_EQ(ButtonsOf(editor), kRunning) << "after Save Disk Image";

    ForgetLog();
    qvtest::PostClick(editor.Control("disableButton"));
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
        FailureCase{"InstallFails", "ExitCode_id", 3, 0, false, "enableButton", "Quorvel Driver Enable",
                    "Error installing Quorvel driver."},
        FailureCase{"InstallAtBootFails", "ExitCode_ie", 2, 1, false, "enableButton", "Quorvel Driver Enable",
                    "Error installing Quorvel driver."},
        FailureCase{"StartFails", "ExitCode_e", 5, 0, false, "enableButton", "Quorvel Driver Enable",
                    "Error starting Quorvel driver."},
        FailureCase{"UninstallFails", "ExitCode_u", 6, 0, true, "disableButton", "Quorvel Driver Disable",
                    "Error disabling Quorvel driver."},
        FailureCase{"DriverStaysLoaded", "ExitCode_u", 0, 0, true, "disableButton", "Quorvel Driver Disable",
                    "Error disabling Quorvel driver - driver still loaded!"},
        FailureCase{"SaveRequestFails", QV_KNOB_FAIL_SAVE, 1, 0, true, "saveDiskImageButton", "Quorvel IOCTL Failed",
                    "The IOCTL call to save the disk image failed."}),
    [](const auto& info) { return std::string(info.param.name); });

// A driver that never makes its device: 30 probes a second apart, then -u and the two-line box.
TEST_F(DriverOperationsTest, DeviceThatNeverAppearsIsGivenUpAfterThirtySeconds) {
    ASSERT_TRUE(qvstandins::SetKnob(QV_KNOB_NO_DEVICE, 1));
    const AppWindow editor = OpenEditorShowing(kStopped);
    ASSERT_TRUE(editor);

    const DWORD pressedAt = GetTickCount();
    qvtest::PostClick(editor.Control("enableButton"));
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
    HWND text2 = editor.Control("saveFileBox");
    ASSERT_TRUE(qvtest::ClickToFocus(text2, kReactTimeoutMs));
    qvtest::PressKey(VK_END);
    qvtest::TypeText("x");
    const std::string edited = kImageFile + "x";
    ASSERT_TRUE(qvtest::WaitUntil([&] { return qvtest::WindowText(text2) == edited; }, kReactTimeoutMs));

    qvtest::PostClick(editor.Control("enableButton"));
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
    qvtest::PostClick(editor.Control("enableButton"));
    Sleep(kSettleMs);  // the installer has started; it logs its call only when it ends

    HWND cover = CoverOver(editor.Handle());
    const qvtest::Image covered = qvtest::CaptureWindow(cover);
    EXPECT_GT(CountColour(covered, kCoverColour), covered.rgb.size() / 3 / 2) << "the cover did not show";
    DestroyWindow(cover);
    const qvtest::Image uncovered = qvtest::CaptureWindow(editor.Handle());
    CreateDirectoryA(qvtest::BuiltPath("QV_SCREENSHOT_DIR", QV_SCREENSHOT_DIR).c_str(), nullptr);
    qvtest::WritePng(qvtest::BuiltPath("QV_SCREENSHOT_DIR", QV_SCREENSHOT_DIR) + "\\editor-while-installer-runs.png", uncovered);
    EXPECT_EQ(CountColour(uncovered, kCoverColour), 0u) << "the window did not repaint";
    EXPECT_GE(DistinctColours(uncovered), 4u) << "the window is blank";
    ASSERT_EQ(Log(), Lines({})) << "the screenshot waited for the installer: no painting while it ran";

    qvtest::Click(editor.Control("enableButton"));
    qvtest::Click(editor.Control("cancelButton"));
    qvtest::PostClose(editor.Handle());
    ASSERT_EQ(Log(), Lines({})) << "the installer ended before the input was tried";

    EXPECT_EQ(AwaitButtons(editor, kRunning), kRunning);
    EXPECT_TRUE(editor) << "the window was closed under the running operation";
    EXPECT_FALSE(Running().HasExited());
    Sleep(kSettleMs);
    EXPECT_EQ(Log(), Lines({Logged(kInstall, 0), Logged(kEnable, 0)})) << "one Enable only";

    qvtest::PostClick(editor.Control("disableButton"));
    EXPECT_EQ(AwaitButtons(editor, kStopped), kStopped) << "Disable works once the wait is over";
}

}  // namespace
}  // namespace qve2e
