// The driver interface: its device, its requests, and the installer's command lines.
#pragma once

#include <cstdint>
#include <string>

#include "platform/installer_runner.h"

namespace qv {

constexpr const char* DevicePath = "\\\\.\\QVDRIVER";

// I/O-control requests, sent with an empty input buffer.
struct IoControlRequest {
    std::uint32_t code;
    std::uint32_t outputSize;  // 4: one signed 32-bit answer, preset to 0; 0: none
};
constexpr IoControlRequest StatusRequest{19, 4};     // > 0: the driver is running
constexpr IoControlRequest SaveImageRequest{16, 0};  // non-zero result: image saved

enum class InstallerSwitch {
    InstallAndEnable,  // -ie <inf>: install from the setup file with start at boot
    Install,           // -id <inf>: install from the setup file without start at boot
    Enable,            // -e: start the installed driver
    Uninstall,         // -u: stop and unload the driver
};

// The installer's explicit path and its command line, both paths quoted so that a
// directory with blanks is neither cut in two nor searched for a shorter program.
ProcessCommand InstallerCommand(const std::string& installDir, InstallerSwitch which);
std::string InstallerPath(const std::string& installDir);

}  // namespace qv
