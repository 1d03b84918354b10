// The driver's open forms and the installer's command lines, with an install directory that holds blanks.
#include <gtest/gtest.h>

#include "platform/driver_device.h"
#include "qvconfig/driver/driver_interface.h"

namespace qv {
namespace {

TEST(DriverInterface, OpenFormsPassTheDriversNumbers) {
    const DeviceOpenParameters status = OpenParametersFor(DeviceOpenForm::Status);
    EXPECT_EQ(status.desiredAccess, 0u);
    EXPECT_EQ(status.shareMode, 0u);
    EXPECT_EQ(status.creationDisposition, 3u);
    EXPECT_EQ(status.flagsAndAttributes, 0x04000000u);
    const DeviceOpenParameters command = OpenParametersFor(DeviceOpenForm::Command);
    EXPECT_EQ(command.desiredAccess, 0x10000000u);
    EXPECT_EQ(command.shareMode, 3u);
    EXPECT_EQ(command.creationDisposition, 3u);
    EXPECT_EQ(command.flagsAndAttributes, 0u);
}

TEST(DriverInterface, InstallerIsStartedByItsQuotedExplicitPath) {
    const std::string dir = "C:\\Program Files\\Quorvel";
    const std::string exe = "\"C:\\Program Files\\Quorvel\\tarnset.exe\"";
    const std::string inf = "\"C:\\Program Files\\Quorvel\\qvdriver.inf\"";
    const std::pair<InstallerSwitch, std::string> cases[] = {
        {InstallerSwitch::InstallAndEnable, exe + " -ie " + inf},
        {InstallerSwitch::Install, exe + " -id " + inf},
        {InstallerSwitch::Enable, exe + " -e"},
        {InstallerSwitch::Uninstall, exe + " -u"},
    };
    EXPECT_EQ(InstallerPath(dir), "C:\\Program Files\\Quorvel\\tarnset.exe");
    for (const auto& [which, commandLine] : cases) {
        const ProcessCommand command = InstallerCommand(dir, which);
        EXPECT_EQ(command.application, InstallerPath(dir));
        EXPECT_EQ(command.commandLine, commandLine);
    }
}

TEST(DriverInterface, DirectoryIsTakenExactlyAsLoaded) {
    EXPECT_EQ(InstallerCommand(" D:\\q v ", InstallerSwitch::Install).commandLine,
              "\" D:\\q v \\tarnset.exe\" -id \" D:\\q v \\qvdriver.inf\"");
    EXPECT_EQ(InstallerCommand("", InstallerSwitch::Enable).commandLine, "\"\\tarnset.exe\" -e");
}

}  // namespace
}  // namespace qv
