// The fixture of the setup tests: the setups that scripts/test.sh made, running them and
// their uninstaller, and a machine with nothing of Quorvel on it before and after each test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "testbed/harness/registry.h"

namespace qvsetup {

// The setups in <build>/setups: with the stand-ins as driver files, the release as shipped
// (no driver files), and one whose run-time check looks for a library no system has. The
// release files that the setups carry are in <build>/setups/files.
std::string SetupWithStandIns();
std::string ReleaseSetup();
std::string SetupMissingItsRuntime();
std::string ReleaseFile(const std::string& name);

const std::string kSetupCaption =
    "Quorvel " + std::to_string(QV_VERSION_MAJOR) + "." + std::to_string(QV_VERSION_MINOR) + " Setup";
// The install directories of the tests: the setup's default, one chosen with /D=, and one
// that the settings name before the setup runs.
const std::string kDefaultInstallDir = "C:\\Program Files\\Quorvel";
const std::string kChosenInstallDir = "C:\\Quorvel Elsewhere";
const std::string kStoredInstallDir = "C:\\Quorvel Stored";
extern const char* const kUninstallKeyPath;  // under HKEY_LOCAL_MACHINE

// The wizard of the setup run by process `setup`, whose caption is the setup's followed by
// the page's name, polled for up to 30 s; nullptr when none showed.
HWND SetupWizard(DWORD setup);

// Where the setup puts the programs: the system directory.
std::string InstalledProgram();
std::string InstalledApplet();

bool FileExists(const std::string& path);
bool SameBytes(const std::string& a, const std::string& b);

using Values = std::map<std::string, qvtest::RawValue>;
// The settings key's values; the same without `Executable`.
Values SettingsValues();
Values SettingsValuesBut(const std::string& name);

// Every value of the settings key set, to other values than a first install would give,
// and a value of the driver's that this program does not know.
void SeedEveryValue(const std::string& installDir, const std::string& executable);

// Nothing of an installation into the default directory is left but the settings, which
// are `kept`.
void ExpectUninstalled(const Values& kept);

class SetupTest : public ::testing::Test {
protected:
    // Windows carry their title bars in the screenshots.
    static void SetUpTestSuite();
    // Each test starts, and leaves the machine, with nothing of Quorvel: no programs in the
    // system directory, no install directory, no driver, no settings, no registration.
    void SetUp() override;
    void TearDown() override;

    // Runs a program with `arguments` and waits for it to end; its exit code, or
    // STILL_ACTIVE when it did not end in time (it is then ended).
    static DWORD Run(const std::string& exe, const std::string& arguments);
    // The setup with the stand-ins, run silently with `arguments` after "/S".
    static DWORD InstallSilently(const std::string& arguments = "");

    // Uninstalls as Add/Remove Programs does silently: runs the registered
    // QuietUninstallString. That uninstaller copies itself into the temporary directory,
    // starts the copy and ends at once; this waits for the copy as well.
    static void UninstallAsAddRemovePrograms();
    // Runs the uninstaller of `installDir` as that copy runs: from elsewhere, with
    // "_?=" naming the install directory, so that its exit code is the uninstall's.
    static DWORD UninstallFrom(const std::string& installDir);

    void SaveScreenshot(HWND window, const std::string& name);
};

}  // namespace qvsetup
