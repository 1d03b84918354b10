// The driver interface: its device, the two ways it is opened, its requests, and the installer's command lines.
#pragma once

#include <cstdint>
#include <string>

#include "platform/driver_device.h"
#include "platform/installer_runner.h"

namespace qv {

constexpr const char* DevicePath = "\\\\.\\QVDRIVER";

// CreateFileA's numbers that the open forms use, with the platform's values.
namespace device_open {
constexpr std::uint32_t GenericAll = 0x10000000;          // every access
constexpr std::uint32_t ShareReadWrite = 0x3;             // others may read and write
constexpr std::uint32_t OpenExisting = 3;                 // fail when there is no device
constexpr std::uint32_t FlagDeleteOnClose = 0x04000000;
}  // namespace device_open

// CreateFileA's arguments for each open form (security attributes and template
// handle are always null).
struct DeviceOpenParameters {
    std::uint32_t desiredAccess;
    std::uint32_t shareMode;
    std::uint32_t creationDisposition;
    std::uint32_t flagsAndAttributes;
};
DeviceOpenParameters OpenParametersFor(DeviceOpenForm form);

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
