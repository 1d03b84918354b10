// Uninstalling: files and registration go, the settings stay; a second run, or one after files were deleted by hand, ends cleanly.
#include <windows.h>

#include <ostream>
#include <string>

#include "setup_fixture.h"
#include "testbed/harness/registry.h"

namespace qvsetup {
namespace {

TEST_F(SetupTest, SilentUninstallRemovesTheFilesAndTheRegistrationAndKeepsTheSettings) {
    ASSERT_EQ(InstallSilently(), 0u);
    SeedEveryValue(kDefaultInstallDir, InstalledProgram());
    const Values kept = SettingsValuesBut("Executable");

    UninstallAsAddRemovePrograms();
    ExpectUninstalled(kept);
}

enum class Before { AnEarlierUninstall, FilesDeletedByHand };
struct AgainCase {
    const char* name;
    Before before;
};
void PrintTo(const AgainCase& c, std::ostream* out) { *out << c.name; }

class UninstallAgainTest : public SetupTest, public ::testing::WithParamInterface<AgainCase> {};

TEST_P(UninstallAgainTest, EndsCleanly) {
    ASSERT_EQ(InstallSilently(), 0u);
    SeedEveryValue(kDefaultInstallDir, InstalledProgram());
    const Values kept = SettingsValuesBut("Executable");
    const std::string uninstaller = kDefaultInstallDir + "\\uninstall.exe";

    if (GetParam().before == Before::AnEarlierUninstall) {
        // The uninstaller removes itself; a kept copy is put back for the second run.
        char temporary[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temporary);
        const std::string spare = std::string(temporary) + "qv-spare-uninstall.exe";
        ASSERT_TRUE(CopyFileA(uninstaller.c_str(), spare.c_str(), FALSE));
        EXPECT_EQ(UninstallFrom(kDefaultInstallDir), 0u) << "the first uninstall";
        CreateDirectoryA(kDefaultInstallDir.c_str(), nullptr);
        ASSERT_TRUE(MoveFileA(spare.c_str(), uninstaller.c_str()));
    } else {
        ASSERT_TRUE(DeleteFileA(InstalledProgram().c_str()));
        ASSERT_TRUE(DeleteFileA(InstalledApplet().c_str()));
        for (const char* name : {"tarnset.exe", "qvdriver.inf", "qvdriver.sys"}) {
            ASSERT_TRUE(DeleteFileA((kDefaultInstallDir + "\\" + name).c_str())) << name;
        }
    }

    EXPECT_EQ(UninstallFrom(kDefaultInstallDir), 0u);
    ExpectUninstalled(kept);
}

INSTANTIATE_TEST_SUITE_P(Before, UninstallAgainTest,
                         ::testing::Values(AgainCase{"AnEarlierUninstall", Before::AnEarlierUninstall},
                                           AgainCase{"FilesDeletedByHand", Before::FilesDeletedByHand}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvsetup
