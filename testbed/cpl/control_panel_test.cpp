// Wine's own control panel opening qvpanel.cpl, with qvconfig.exe installed in the system directory or registered with the shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "testbed/harness/processes.h"
#include "testbed/harness/program.h"
#include "testbed/harness/registry.h"
#include "testbed/harness/windows.h"

namespace {

constexpr char kCaption[] = "Quorvel Configuration Utility";
constexpr int kWindowTimeoutMs = 30000;

// The processes of `image` that show the configuration window.
std::set<DWORD> InstancesShowingTheWindow(const std::string& image) { return qvtest::InstancesShowing(image, kCaption); }

// qvconfig.exe copied into the system directory, as an installer puts it, for one test.
// Every instance of that copy is ended and the copy removed afterwards, so that no window
// is left for the next test and the library's double-click finds nothing again.
class InstalledProgram {
public:
    InstalledProgram() : path_(qvtest::SystemDirectory() + "\\qvconfig.exe") {
        copied_ = CopyFileA(qvtest::BuiltPath("QV_CONFIG_EXE", QV_CONFIG_EXE).c_str(), path_.c_str(), FALSE) != FALSE;
    }
    ~InstalledProgram() {
        qvtest::EndProcesses(qvtest::ProcessesOf(path_));
        DeleteFileA(path_.c_str());
    }
    InstalledProgram(const InstalledProgram&) = delete;
    InstalledProgram& operator=(const InstalledProgram&) = delete;

    bool Copied() const { return copied_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool copied_ = false;
};

// The build's qvconfig.exe registered with the shell for one test (its App Paths key, which
// an installer may write) and in no directory that WinExec searches: only the shell finds
// it. Every instance is ended and the key removed afterwards.
class RegisteredWithTheShell {
public:
    RegisteredWithTheShell() : path_(qvtest::BuiltPath("QV_CONFIG_EXE", QV_CONFIG_EXE)) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        made_ = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path_.c_str()),
                               static_cast<DWORD>(path_.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~RegisteredWithTheShell() {
        qvtest::EndProcesses(qvtest::ProcessesOf(path_));
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    }
    RegisteredWithTheShell(const RegisteredWithTheShell&) = delete;
    RegisteredWithTheShell& operator=(const RegisteredWithTheShell&) = delete;

    bool Made() const { return made_; }
    const std::string& Path() const { return path_; }

private:
    static constexpr char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\qvconfig.exe";
    std::string path_;
    bool made_ = false;
};

// The settings key exists for one test, as on a machine where the driver is set up, so
// that the window opens without first reporting that there are no settings to read.
// A key the test made is removed again; one that was there is left as it was.
class SettingsKeyPresent {
public:
    SettingsKeyPresent() : made_(!qvtest::SettingsKeyExists() && qvtest::CreateSettingsKey()) {}
    ~SettingsKeyPresent() {
        if (made_) qvtest::DeleteSettingsKey();
    }
    SettingsKeyPresent(const SettingsKeyPresent&) = delete;
    SettingsKeyPresent& operator=(const SettingsKeyPresent&) = delete;

private:
    bool made_;
};

// "control qvpanel.cpl": Wine's control panel loads the library, opens the applet and ends.
void OpenInControlPanel() {
    qvtest::Program control(qvtest::SystemDirectory() + "\\control.exe",
                            "\"" + qvtest::BuiltPath("QV_PANEL_CPL", QV_PANEL_CPL) + "\"");
    ASSERT_TRUE(control.Started()) << "control.exe did not start: " << GetLastError();
    EXPECT_TRUE(control.WaitForExit(60000)) << "control.exe did not end";
}

// Waits until exactly `count` instances of `image` show the configuration window; returns them.
std::set<DWORD> WaitForInstances(const std::string& image, std::size_t count) {
    std::set<DWORD> ids;
    qvtest::WaitUntil([&] { return (ids = InstancesShowingTheWindow(image)).size() == count; }, kWindowTimeoutMs);
    return ids;
}

TEST(ControlPanel, OpeningTheAppletShowsTheConfigurationWindowOfTheInstalledProgram) {
    SettingsKeyPresent settings;
    InstalledProgram installed;
    ASSERT_TRUE(installed.Copied()) << "could not copy qvconfig.exe to " << installed.Path();
    ASSERT_TRUE(qvtest::ProcessesOf(installed.Path()).empty());

    OpenInControlPanel();
    EXPECT_EQ(WaitForInstances(installed.Path(), 1).size(), 1u)
        << "shown by:" << qvtest::WhoShows(kCaption);
}

TEST(ControlPanel, ASecondOpenStartsASecondInstance) {
    SettingsKeyPresent settings;
    InstalledProgram installed;
    ASSERT_TRUE(installed.Copied()) << "could not copy qvconfig.exe to " << installed.Path();

    OpenInControlPanel();
    const std::set<DWORD> first = WaitForInstances(installed.Path(), 1);
    ASSERT_EQ(first.size(), 1u) << "shown by:" << qvtest::WhoShows(kCaption);
    OpenInControlPanel();
    const std::set<DWORD> both = WaitForInstances(installed.Path(), 2);
    EXPECT_EQ(both.size(), 2u) << "shown by:" << qvtest::WhoShows(kCaption);
    EXPECT_TRUE(std::includes(both.begin(), both.end(), first.begin(), first.end()))
        << "the first instance went away";
}

// WinExec cannot start the program (on Vista and later because it asks for administrator
// rights; here because WinExec cannot find it): the applet has the shell open it.
TEST(ControlPanel, TheShellStartsTheProgramThatWinExecCannot) {
    SettingsKeyPresent settings;
    char found[MAX_PATH];
    ASSERT_EQ(SearchPathA(nullptr, "qvconfig.exe", nullptr, MAX_PATH, found, nullptr), 0u)
        << "WinExec would find a qvconfig.exe: " << found;
    RegisteredWithTheShell registered;
    ASSERT_TRUE(registered.Made()) << "could not register " << registered.Path() << " with the shell";

    OpenInControlPanel();
    EXPECT_EQ(WaitForInstances(registered.Path(), 1).size(), 1u) << "shown by:" << qvtest::WhoShows(kCaption);
}

}  // namespace
