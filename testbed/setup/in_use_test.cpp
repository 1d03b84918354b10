// Installing, reinstalling and uninstalling while qvconfig.exe runs: with its window open a silent run changes nothing and the wizard asks to close it; a file in use goes at the restart.
#include <windows.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "qvconfig/window/editor.h"
#include "setup_fixture.h"
#include "testbed/harness/input.h"
#include "testbed/harness/message_box.h"
#include "testbed/harness/processes.h"
#include "testbed/harness/program.h"
#include "testbed/harness/registry.h"
#include "testbed/harness/windows.h"

namespace qvsetup {
namespace {

// The statuses that the README gives for these cases.
constexpr DWORD kDone = 0;
constexpr DWORD kProgramRunning = 3;
constexpr DWORD kRestartNeeded = 4;
constexpr int kWindowTimeoutMs = 30000;
const std::string kEditorCaption = qv::EditorLayout().caption;
// An Executable that a completed reinstall would rewrite.
const std::string kOldExecutable = "D:\\old\\qvconfig.exe";

enum class Step { Install, Reinstall, Uninstall };
struct InUseCase {
    const char* name;
    Step step;
};
void PrintTo(const InUseCase& c, std::ostream* out) { *out << c.name; }

// What a setup or an uninstaller may change.
struct Installation {
    Values settings;
    Values registration;
    bool program;
    bool applet;
    bool uninstaller;
};
Installation Now() {
    return {SettingsValues(), qvtest::ValuesOf(kUninstallKeyPath), FileExists(InstalledProgram()),
            FileExists(InstalledApplet()), FileExists(kDefaultInstallDir + "\\uninstall.exe")};
}
void ExpectUnchangedSince(const Installation& before) {
    const Installation now = Now();
    EXPECT_EQ(now.settings, before.settings);
    EXPECT_EQ(now.registration, before.registration);
    EXPECT_EQ(now.program, before.program);
    EXPECT_EQ(now.applet, before.applet);
    EXPECT_EQ(now.uninstaller, before.uninstaller);
}

class InUseTest : public SetupTest, public ::testing::WithParamInterface<InUseCase> {
protected:
    // Installed first unless the step installs, and settings that a user made.
    static void Prepare(Step step) {
        if (step != Step::Install) {
            ASSERT_EQ(InstallSilently(), kDone);
        }
        SeedEveryValue(kDefaultInstallDir, kOldExecutable);
    }
    // The step, silently; its exit status.
    static DWORD RunSilently(Step step) {
        return step == Step::Uninstall ? UninstallFrom(kDefaultInstallDir) : InstallSilently();
    }
};

class WithTheWindowOpenTest : public InUseTest {};

// The configuration window, of the installed program or of one run from elsewhere before
// the first install, holds a silent setup or uninstaller back until it is closed.
TEST_P(WithTheWindowOpenTest, ASilentRunChangesNothingAndSaysSo) {
    const Step step = GetParam().step;
    Prepare(step);
    qvtest::Program window(step == Step::Install ? ReleaseFile("qvconfig.exe") : InstalledProgram(), "");
    ASSERT_NE(qvtest::FindTopLevel(window.Id(), kEditorCaption, kWindowTimeoutMs), nullptr);
    const Installation before = Now();

    EXPECT_EQ(RunSilently(step), kProgramRunning);
    ExpectUnchangedSince(before);

    qvtest::EndProcesses({window.Id()});
    EXPECT_EQ(RunSilently(step), kDone) << "once the window is closed";
}

INSTANTIATE_TEST_SUITE_P(Step, WithTheWindowOpenTest,
                         ::testing::Values(InUseCase{"Install", Step::Install},
                                           InUseCase{"Reinstall", Step::Reinstall},
                                           InUseCase{"Uninstall", Step::Uninstall}),
                         [](const auto& info) { return std::string(info.param.name); });

// Interactively the setup asks for the window to be closed: Retry asks again while the
// window is open, and installs once it is closed.
TEST_F(SetupTest, InteractivelyTheSetupAsksUntilTheWindowIsClosed) {
    ASSERT_EQ(InstallSilently(), kDone);
    SeedEveryValue(kDefaultInstallDir, kOldExecutable);  // InstallDir stored: no directory page
    qvtest::Program window(InstalledProgram(), "");
    ASSERT_NE(qvtest::FindTopLevel(window.Id(), kEditorCaption, kWindowTimeoutMs), nullptr);

    qvtest::Program setup(SetupWithStandIns(), "");
    const HWND wizard = SetupWizard(setup.Id());
    ASSERT_NE(wizard, nullptr);
    const HWND next = GetDlgItem(wizard, IDOK);  // Next, Install, then Close
    qvtest::PostClick(next);
    for (const bool closed : {false, true}) {
        const HWND box = qvtest::FindMessageBox(setup.Id(), kSetupCaption, kWindowTimeoutMs);
        ASSERT_NE(box, nullptr) << (closed ? "asked once more" : "asked first");
        EXPECT_NE(qvtest::MessageBoxText(box).find("(qvconfig.exe) is running"), std::string::npos);
        EXPECT_EQ(qvtest::ReadString("Executable"), kOldExecutable) << "installed while the window is open";
        if (closed) qvtest::EndProcesses({window.Id()});
        qvtest::PressMessageBoxButton(box, IDRETRY);
        ASSERT_TRUE(qvtest::WaitUntil([&] { return !IsWindow(box); }, kWindowTimeoutMs));
    }
    EXPECT_TRUE(qvtest::WaitUntil(
        [&] { return qvtest::IsEnabled(next) && qvtest::WindowText(next).find("Close") != std::string::npos; },
        kWindowTimeoutMs));
    EXPECT_EQ(qvtest::ReadString("Executable"), InstalledProgram()) << "installed once the window is closed";
    qvtest::PostClick(next);
    ASSERT_TRUE(setup.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(setup.ExitCode(), kDone);
}

class WithAFileInUseTest : public InUseTest {};

// A run that shows only its usage message makes no window of its own (every other run
// has one, shown or not), so it holds the installed program unseen, as the Control Panel
// holds the applet. The setup replaces the file, and the uninstaller deletes it, when
// Windows restarts; Executable and the registration already say what will be there
// then, and the status says that a restart is needed.
TEST_P(WithAFileInUseTest, TheFileGoesAtTheRestartAndTheStatusSaysSo) {
    const Step step = GetParam().step;
    Prepare(step);
    const Values kept = SettingsValuesBut("Executable");
    // The installed program is made unlike the setup's, so that replacing it shows.
    std::ofstream(InstalledProgram(), std::ios::binary | std::ios::app) << '\0';
    qvtest::Program holder(InstalledProgram(), "no-such-word");
    ASSERT_TRUE(qvtest::WaitUntil([&] { return !qvtest::TopLevelWindows(holder.Id(), "#32770").empty(); },
                                  kWindowTimeoutMs))
        << "no usage message";

    EXPECT_EQ(RunSilently(step), kRestartNeeded);
    EXPECT_FALSE(SameBytes(InstalledProgram(), ReleaseFile("qvconfig.exe"))) << "still in use";
    const bool installs = step != Step::Uninstall;
    EXPECT_EQ(SettingsValuesBut("Executable"), kept);
    EXPECT_EQ(qvtest::ReadString("Executable"),
              installs ? std::optional<std::string>(InstalledProgram()) : std::nullopt);
    EXPECT_EQ(qvtest::KeyExists(kUninstallKeyPath), installs);

    // The restart: Wine's wineboot carries out the renames and deletions that wait for it.
    qvtest::EndProcesses({holder.Id()});
    ASSERT_EQ(Run(qvtest::SystemDirectory() + "\\wineboot.exe", "-r"), kDone);
    if (installs) {
        EXPECT_TRUE(SameBytes(InstalledProgram(), ReleaseFile("qvconfig.exe")));
    } else {
        ExpectUninstalled(kept);
    }
}

INSTANTIATE_TEST_SUITE_P(Step, WithAFileInUseTest,
                         ::testing::Values(InUseCase{"Reinstall", Step::Reinstall},
                                           InUseCase{"Uninstall", Step::Uninstall}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvsetup
