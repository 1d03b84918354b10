// Wine's own control panel opening qvpanel.cpl, with qvconfig.exe installed in the system directory or registered with the shell.
#include <windows.h>

#include <gtest/gtest.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <set>
#include <string>

#include "testbed/harness/program.h"
#include "testbed/harness/registry.h"
#include "testbed/harness/windows.h"

namespace {

constexpr char kCaption[] = "Quorvel Configuration Utility";
constexpr int kWindowTimeoutMs = 30000;

std::string SystemDirectory() {
    char directory[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory, length);
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string ImageOf(DWORD processId) {
    // The main module's file (QueryFullProcessImageNameA is Vista's; this tree is built for older headers).
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return "";
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameExA(process, nullptr, path, MAX_PATH);
    CloseHandle(process);
    return std::string(path, length);
}

// The running processes of the program file `image`, found by their image path.
std::set<DWORD> ProcessesOf(const std::string& image) {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (SamePath(ImageOf(entry.th32ProcessID), image)) ids.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

// The processes of `image` that show the configuration window.
std::set<DWORD> InstancesShowingTheWindow(const std::string& image) {
    std::set<DWORD> ids;
    for (HWND window : qvtest::TopLevelWindows(0)) {
        if (qvtest::Caption(window) != kCaption) continue;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        if (SamePath(ImageOf(id), image)) ids.insert(id);
    }
    return ids;
}

// For a failure message: which programs show the configuration window at all.
std::string WhoShowsTheWindow() {
    std::string who;
    for (HWND window : qvtest::TopLevelWindows(0)) {
        if (qvtest::Caption(window) != kCaption) continue;
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        who += " [" + ImageOf(id) + "]";
    }
    return who.empty() ? " none" : who;
}

// Asks each process's windows to close (the configuration window and any message box in
// front of it), and ends by force whatever is still running after that.
void EndProcesses(const std::set<DWORD>& ids) {
    for (DWORD id : ids) {
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        if (!process) continue;
        for (HWND window : qvtest::TopLevelWindows(id)) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
}

// qvconfig.exe copied into the system directory, as an installer puts it, for one test.
// Every instance of that copy is ended and the copy removed afterwards, so that no window
// is left for the next test and the library's double-click finds nothing again.
class InstalledProgram {
public:
    InstalledProgram() : path_(SystemDirectory() + "\\qvconfig.exe") {
        copied_ = CopyFileA(qvtest::WindowsPath(QV_CONFIG_EXE).c_str(), path_.c_str(), FALSE) != FALSE;
    }
    ~InstalledProgram() {
        EndProcesses(ProcessesOf(path_));
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
    RegisteredWithTheShell() : path_(qvtest::WindowsPath(QV_CONFIG_EXE)) {
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
        EndProcesses(ProcessesOf(path_));
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
    qvtest::Program control(SystemDirectory() + "\\control.exe", "\"" + qvtest::WindowsPath(QV_PANEL_CPL) + "\"");
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
    ASSERT_TRUE(ProcessesOf(installed.Path()).empty());

    OpenInControlPanel();
    EXPECT_EQ(WaitForInstances(installed.Path(), 1).size(), 1u)
        << "shown by:" << WhoShowsTheWindow();
}

TEST(ControlPanel, ASecondOpenStartsASecondInstance) {
    SettingsKeyPresent settings;
    InstalledProgram installed;
    ASSERT_TRUE(installed.Copied()) << "could not copy qvconfig.exe to " << installed.Path();

    OpenInControlPanel();
    const std::set<DWORD> first = WaitForInstances(installed.Path(), 1);
    ASSERT_EQ(first.size(), 1u) << "shown by:" << WhoShowsTheWindow();
    OpenInControlPanel();
    const std::set<DWORD> both = WaitForInstances(installed.Path(), 2);
    EXPECT_EQ(both.size(), 2u) << "shown by:" << WhoShowsTheWindow();
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
    EXPECT_EQ(WaitForInstances(registered.Path(), 1).size(), 1u) << "shown by:" << WhoShowsTheWindow();
}

}  // namespace
