// The installer's command lines.
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

std::string InstallerPath(const std::string& installDir) { return installDir + InstallerFileName; }

ProcessCommand InstallerCommand(const std::string& installDir, InstallerSwitch which) {
    const std::string application = InstallerPath(installDir);
    return {application, Quoted(application) + InstallerArguments(installDir, which)};
}

}  // namespace qv
