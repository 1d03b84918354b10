// The setup tests' fixture: the setups' paths, running them, and clearing the machine around each test.
#include "setup_fixture.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "testbed/harness/processes.h"
#include "testbed/harness/program.h"
#include "testbed/harness/screenshot.h"
#include "testbed/harness/windows.h"
#include "testbed/standins/knobs.h"
#include "testbed/standins/standins.h"

namespace qvsetup {

const char* const kUninstallKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvel";

namespace {

// A setup or uninstaller run, a cold Wine process included, stays well below this.
constexpr int kRunTimeoutMs = 60000;

const std::string kVersion = std::to_string(QV_VERSION_MAJOR) + "." + std::to_string(QV_VERSION_MINOR);

std::string SetupIn(const std::string& kind) {
    return qvtest::WindowsPath(std::string(QV_SETUPS_DIR) + "/" + kind + "/quorvel-" + kVersion + "-" QV_SETUP_ARCH "-setup.exe");
}


// Deletes the files of a directory (it has no subdirectories), then the directory.
void RemoveDirectoryAndFiles(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string file = directory + "\\" + found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(file.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(directory.c_str());
}

void ClearTheMachine() {
    qvtest::EndProcesses(qvtest::ProcessesOf(InstalledProgram()));
    qvtest::EndProcesses(qvtest::ProcessesOf(qvtest::SystemDirectory() + "\\control.exe"));
    qvstandins::ClearKnobs();
    for (const std::string& directory : {kDefaultInstallDir, kChosenInstallDir, kStoredInstallDir}) {
        if (FileExists(directory + "\\tarnset.exe")) qvstandins::RemoveDriver(directory);
        RemoveDirectoryAndFiles(directory);
    }
    DeleteFileA(InstalledProgram().c_str());
    DeleteFileA(InstalledApplet().c_str());
    qvtest::DeleteSettingsKey();
    qvtest::DeleteKey(kUninstallKeyPath);
}

// The uninstaller's copy of itself runs from NSIS's temporary directory "~nsu<n>.tmp".
bool InNsisTemporaryDirectory(const std::string& image) {
    return image.find("\\~nsu") != std::string::npos || image.find("\\~NSU") != std::string::npos;
}

std::string TextOf(const qvtest::RawValue& value) {
    std::string text(value.data.begin(), value.data.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

}  // namespace

std::string SetupWithStandIns() { return SetupIn("standins"); }
std::string ReleaseSetup() { return SetupIn("release"); }
std::string SetupMissingItsRuntime() { return SetupIn("runtime-missing"); }
std::string ReleaseFile(const std::string& name) { return qvtest::WindowsPath(std::string(QV_SETUPS_DIR) + "/files/" + name); }

HWND SetupWizard(DWORD setup) {
    HWND wizard = nullptr;
    qvtest::WaitUntil(
        [&] {
            for (HWND top : qvtest::TopLevelWindows(setup)) {
                if (qvtest::Caption(top).rfind(kSetupCaption, 0) == 0) wizard = top;
            }
            return wizard != nullptr;
        },
        30000);
    return wizard;
}

std::string InstalledProgram() { return qvtest::SystemDirectory() + "\\qvconfig.exe"; }
std::string InstalledApplet() { return qvtest::SystemDirectory() + "\\qvpanel.cpl"; }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
    if (!first || !second) return false;
    const std::vector<char> left{std::istreambuf_iterator<char>(first), {}};
    const std::vector<char> right{std::istreambuf_iterator<char>(second), {}};
    return left == right;
}

Values SettingsValues() { return qvtest::ValuesOf(qvtest::kSettingsKeyPath); }

Values SettingsValuesBut(const std::string& name) {
    Values values = SettingsValues();
    values.erase(name);
    return values;
}

// Every setting, the installation's two values, and one value the program does not know.
void SeedEveryValue(const std::string& installDir, const std::string& executable) {
    qvtest::StoredSettings every = qvtest::SettingsAwayFromTheDefaults();
    every.InstallDir = installDir;
    ASSERT_TRUE(qvtest::WriteSettings(every));
    ASSERT_TRUE(qvtest::WriteString("Executable", executable));
    ASSERT_TRUE(qvtest::WriteRaw("DriverState", {REG_BINARY, {1, 2, 3, 0, 255}}));
}

void ExpectUninstalled(const Values& kept) {
    EXPECT_FALSE(FileExists(InstalledProgram()));
    EXPECT_FALSE(FileExists(InstalledApplet()));
    for (const char* name : {"tarnset.exe", "qvdriver.inf", "qvdriver.sys", "uninstall.exe"}) {
        EXPECT_FALSE(FileExists(kDefaultInstallDir + "\\" + name)) << name;
    }
    EXPECT_FALSE(FileExists(kDefaultInstallDir)) << "the emptied install directory is removed";
    EXPECT_FALSE(qvtest::KeyExists(kUninstallKeyPath)) << "Add/Remove Programs still lists it";
    EXPECT_EQ(SettingsValues(), kept);
}

void SetupTest::SetUpTestSuite() { EXPECT_TRUE(qvtest::DrawTitleBarsUnderWine()); }

void SetupTest::SetUp() { ClearTheMachine(); }

void SetupTest::TearDown() { ClearTheMachine(); }

DWORD SetupTest::Run(const std::string& exe, const std::string& arguments) {
    qvtest::Program program(exe, arguments);
    EXPECT_TRUE(program.Started()) << "cannot start " << program.CommandLine();
    if (!program.WaitForExit(kRunTimeoutMs)) {
        ADD_FAILURE() << program.CommandLine() << " did not end";
        return STILL_ACTIVE;
    }
    return program.ExitCode();
}

DWORD SetupTest::InstallSilently(const std::string& arguments) {
    return Run(SetupWithStandIns(), arguments.empty() ? "/S" : "/S " + arguments);
}

void SetupTest::UninstallAsAddRemovePrograms() {
    const Values registration = qvtest::ValuesOf(kUninstallKeyPath);
    const auto quiet = registration.find("QuietUninstallString");
    ASSERT_NE(quiet, registration.end()) << "no QuietUninstallString";
    // "<uninstaller>" /S
    const std::string command = TextOf(quiet->second);
    const auto closing = command.find('"', 1);
    ASSERT_TRUE(command.size() > 2 && command[0] == '"' && closing != std::string::npos) << command;
    EXPECT_EQ(Run(command.substr(1, closing - 1), command.substr(closing + 2)), 0u) << command;
    EXPECT_TRUE(qvtest::WaitUntil([] { return qvtest::ProcessesOf(InNsisTemporaryDirectory).empty(); },
                                  kRunTimeoutMs))
        << "the uninstaller's copy did not end";
}

DWORD SetupTest::UninstallFrom(const std::string& installDir) {
    char temporary[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temporary);
    const std::string directory = std::string(temporary) + "qv-uninstaller";
    const std::string copy = directory + "\\uninstall.exe";
    CreateDirectoryA(directory.c_str(), nullptr);
    if (!CopyFileA((installDir + "\\uninstall.exe").c_str(), copy.c_str(), FALSE)) {
        ADD_FAILURE() << "no uninstaller in " << installDir;
        return STILL_ACTIVE;
    }
    const DWORD exitCode = Run(copy, "/S _?=" + installDir);
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(directory.c_str());
    return exitCode;
}

void SetupTest::SaveScreenshot(HWND window, const std::string& name) {
    const std::string path = qvtest::SaveScreenshot(window, qvtest::BuiltPath("QV_SCREENSHOT_DIR", QV_SCREENSHOT_DIR), name);
    EXPECT_FALSE(path.empty()) << "could not save the screenshot " << name;
    RecordProperty("screenshot", path);
}

}  // namespace qvsetup
