// The driver's open forms and the installer's command lines.
#include "qvconfig/driver/driver_interface.h"

namespace qv {
namespace {

constexpr const char* InstallerFileName = "\\tarnset.exe";
constexpr const char* SetupFileName = "\\qvdriver.inf";

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The switch and, for the two install forms, the setup file it works on.
std::string InstallerArguments(const std::string& installDir, InstallerSwitch which) {
    switch (which) {
        case InstallerSwitch::InstallAndEnable:
            return " -ie " + Quoted(installDir + SetupFileName);
        case InstallerSwitch::Install:
            return " -id " + Quoted(installDir + SetupFileName);
        case InstallerSwitch::Enable:
            return " -e";
        case InstallerSwitch::Uninstall:
            return " -u";
    }
    return "";
}

}  // namespace

// The status probe asks for no access and shares nothing; the command form needs
// full access and lets others read and write.
DeviceOpenParameters OpenParametersFor(DeviceOpenForm form) {
    using namespace device_open;
    if (form == DeviceOpenForm::Status) return {0, 0, OpenExisting, FlagDeleteOnClose};
    return {GenericAll, ShareReadWrite, OpenExisting, 0};
}

std::string InstallerPath(const std::string& installDir) { return installDir + InstallerFileName; }

ProcessCommand InstallerCommand(const std::string& installDir, InstallerSwitch which) {
    const std::string application = InstallerPath(installDir);
    return {application, Quoted(application) + InstallerArguments(installDir, which)};
}

}  // namespace qv
