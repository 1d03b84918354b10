// Installing: what a silent install leaves, a reinstall over stored settings, the first page, the run-time check.
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "setup_fixture.h"
#include "testbed/harness/message_box.h"
#include "testbed/harness/processes.h"
#include "testbed/harness/program.h"
#include "testbed/harness/windows.h"

namespace qvsetup {
namespace {

using qvtest::RawValue;

const std::string kVersion = std::to_string(QV_VERSION_MAJOR) + "." + std::to_string(QV_VERSION_MINOR);
const char* const kDriverFiles[] = {"tarnset.exe", "qvdriver.inf", "qvdriver.sys"};

// A string value as a setup writes it: the text and its terminating zero.
RawValue Text(const std::string& text) {
    std::vector<BYTE> data(text.begin(), text.end());
    data.push_back(0);
    return {REG_SZ, data};
}

std::string TextOf(const Values& values, const std::string& name) {
    const auto value = values.find(name);
    if (value == values.end() || value->second.type != REG_SZ) return "(no text value " + name + ")";
    std::string text(value->second.data.begin(), value->second.data.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

struct InstallCase {
    const char* name;
    const char* arguments;
    std::string installDir;
};
void PrintTo(const InstallCase& c, std::ostream* out) { *out << c.name; }

class SilentInstallTest : public SetupTest, public ::testing::WithParamInterface<InstallCase> {};

// On a machine without settings: the programs into the system directory, the driver files
// and the uninstaller into the install directory, the key with Executable and InstallDir
// alone, and the registration that Add/Remove Programs lists.
TEST_P(SilentInstallTest, PutsTheProgramsIntoTheSystemDirectoryAndRegistersThem) {
    const InstallCase& c = GetParam();
    ASSERT_FALSE(qvtest::SettingsKeyExists());
    ASSERT_EQ(InstallSilently(c.arguments), 0u);

    EXPECT_TRUE(SameBytes(InstalledProgram(), ReleaseFile("qvconfig.exe"))) << InstalledProgram();
    EXPECT_TRUE(SameBytes(InstalledApplet(), ReleaseFile("qvpanel.cpl"))) << InstalledApplet();
    for (const char* name : kDriverFiles) EXPECT_TRUE(FileExists(c.installDir + "\\" + name)) << name;
    EXPECT_TRUE(FileExists(c.installDir + "\\uninstall.exe"));

    EXPECT_EQ(SettingsValues(), (Values{{"Executable", Text(InstalledProgram())}, {"InstallDir", Text(c.installDir)}}));

    const Values registration = qvtest::ValuesOf(kUninstallKeyPath);
    EXPECT_EQ(TextOf(registration, "DisplayName"), "Quorvel " + kVersion);
    EXPECT_EQ(TextOf(registration, "DisplayVersion"), kVersion);
    EXPECT_EQ(TextOf(registration, "DisplayIcon"), InstalledProgram() + ",0");
    EXPECT_EQ(TextOf(registration, "UninstallString"), "\"" + c.installDir + "\\uninstall.exe\"");
    EXPECT_EQ(TextOf(registration, "QuietUninstallString"), "\"" + c.installDir + "\\uninstall.exe\" /S");
}

INSTANTIATE_TEST_SUITE_P(
    Directory, SilentInstallTest,
    ::testing::Values(InstallCase{"Default", "", kDefaultInstallDir},
                      InstallCase{"ChosenWithD", "/D=C:\\Quorvel Elsewhere", kChosenInstallDir}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReinstallCase {
    const char* name;
    std::string storedExecutable;
};
void PrintTo(const ReinstallCase& c, std::ostream* out) { *out << c.name; }

class ReinstallTest : public SetupTest, public ::testing::WithParamInterface<ReinstallCase> {};

// Over a key with every value set, a setup asked for another directory changes nothing
// but Executable, which it always writes: the driver files go where InstallDir points.
TEST_P(ReinstallTest, KeepsEveryStoredValueByteForByte) {
    const ReinstallCase& c = GetParam();
    SeedEveryValue(kStoredInstallDir, c.storedExecutable);
    const Values stored = SettingsValuesBut("Executable");

    for (int run = 1; run <= 2; ++run) {
        ASSERT_EQ(InstallSilently("/D=" + kChosenInstallDir), 0u) << "run " << run;
        EXPECT_EQ(SettingsValuesBut("Executable"), stored) << "run " << run;
        EXPECT_EQ(SettingsValues().at("Executable"), Text(InstalledProgram())) << "run " << run;
    }
    for (const char* name : kDriverFiles) EXPECT_TRUE(FileExists(kStoredInstallDir + "\\" + name)) << name;
    EXPECT_FALSE(FileExists(kChosenInstallDir)) << "the stored install directory must win over /D=";
}

INSTANTIATE_TEST_SUITE_P(Executable, ReinstallTest,
                         ::testing::Values(ReinstallCase{"AsInstalled", InstalledProgram()},
                                           ReinstallCase{"Elsewhere", "D:\\old\\qvconfig.exe"}),
                         [](const auto& info) { return std::string(info.param.name); });

BOOL CALLBACK AddChildText(HWND child, LPARAM all) {
    *reinterpret_cast<std::string*>(all) += "\n" + qvtest::WindowText(child);
    return TRUE;
}

// Every text that the setup's window shows, its child windows included.
std::string TextsOf(HWND window) {
    std::string texts = qvtest::WindowText(window);
    EnumChildWindows(window, AddChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

struct FirstPageCase {
    const char* name;
    std::string (*setup)();
    const char* says;
};
void PrintTo(const FirstPageCase& c, std::ostream* out) { *out << c.name; }

class FirstPageTest : public SetupTest, public ::testing::WithParamInterface<FirstPageCase> {};

// The page a user meets first tells whether the setup brings the driver.
TEST_P(FirstPageTest, SaysWhereTheDriverComesFrom) {
    const FirstPageCase& c = GetParam();
    qvtest::Program setup(c.setup(), "");
    ASSERT_TRUE(setup.Started());
    const HWND window = SetupWizard(setup.Id());
    ASSERT_NE(window, nullptr) << "no window \"" << kSetupCaption << "...\"; windows: "
                               << ::testing::PrintToString(qvtest::TopLevelCaptions(setup.Id()));
    EXPECT_TRUE(qvtest::WaitUntil([&] { return TextsOf(window).find(c.says) != std::string::npos; }, 10000))
        << TextsOf(window);
    SaveScreenshot(window, std::string("setup-first-page-") + c.name);
    setup.Kill();
    EXPECT_FALSE(FileExists(InstalledProgram())) << "leaving the first page installs nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Setups, FirstPageTest,
    ::testing::Values(FirstPageCase{"Release", ReleaseSetup, "The driver package is installed separately"},
                      FirstPageCase{"WithDriver", SetupWithStandIns, "It also installs the driver package"}),
    [](const auto& info) { return std::string(info.param.name); });

// A setup that cannot install here says why and what to do, and stops before anything is
// copied or written; silently it stops all the same. The i686 setup stops on 64-bit
// Windows, where a 32-bit program sees PROCESSOR_ARCHITEW6432. (Its check for msvcrt.dll
// is seen through a setup built to look for a library that no system has: in a Wine
// prefix without msvcrt.dll no program starts at all, Wine's own libraries need it.)
struct StopCase {
    const char* name;
    std::string (*setup)();
    std::vector<const char*> says;
    bool i686On64BitWindowsOnly;
};
void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }

class StopTest : public SetupTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, StopsBeforeCopyingAnything) {
    const StopCase& c = GetParam();
    const bool i686On64BitWindows =
        std::string(QV_SETUP_ARCH) == "i686" && GetEnvironmentVariableA("PROCESSOR_ARCHITEW6432", nullptr, 0) != 0;
    if (c.i686On64BitWindowsOnly && !i686On64BitWindows) GTEST_SKIP() << "the i686 setup on 64-bit Windows only";

    qvtest::Program setup(c.setup(), "");
    ASSERT_TRUE(setup.Started());
    HWND box = qvtest::FindMessageBox(setup.Id(), kSetupCaption, 30000);
    ASSERT_NE(box, nullptr) << "no box \"" << kSetupCaption << "\"";
    const std::string text = qvtest::MessageBoxText(box);
    for (const char* words : c.says) EXPECT_NE(text.find(words), std::string::npos) << text;
    qvtest::PressMessageBoxButton(box, IDOK);
    ASSERT_TRUE(setup.WaitForExit(30000));
    // NSIS's status for a setup that stopped itself.
    constexpr DWORD kStopped = 2;
    EXPECT_EQ(setup.ExitCode(), kStopped);

    EXPECT_EQ(Run(c.setup(), "/S"), kStopped);
    EXPECT_FALSE(FileExists(InstalledProgram()));
    EXPECT_FALSE(FileExists(InstalledApplet()));
    EXPECT_FALSE(FileExists(kDefaultInstallDir));
    EXPECT_FALSE(qvtest::SettingsKeyExists());
    EXPECT_FALSE(qvtest::KeyExists(kUninstallKeyPath));
}

INSTANTIATE_TEST_SUITE_P(
    Setups, StopTest,
    ::testing::Values(StopCase{"NoRuntimeLibrary", SetupMissingItsRuntime,
                               {"Internet Explorer 4 or later", "Windows Socket 2 update", "run-time redistributable"},
                               false},
                      StopCase{"RefusesOn64BitWindows", ReleaseSetup, {"64-bit Windows", "-x86_64-setup.exe"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvsetup
