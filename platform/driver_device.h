// DriverDevice: opening the RAM-disk driver's device and sending it I/O-control requests.
#pragma once

#include <cstdint>
#include <memory>

namespace qv {

// The two ways the device is opened.
enum class DeviceOpenForm { Status, Command };

// CreateFileA's numbers that the open forms use, with the platform's values (the
// Win32 implementation checks them against its headers).
namespace device_open {
constexpr std::uint32_t GenericAll = 0x10000000;  // every access
constexpr std::uint32_t ShareReadWrite = 0x3;     // others may read and write
constexpr std::uint32_t OpenExisting = 3;         // fail when there is no device
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

// The status probe asks for no access and shares nothing; the command form needs
// full access and lets others read and write.
constexpr DeviceOpenParameters OpenParametersFor(DeviceOpenForm form) {
    using namespace device_open;
    if (form == DeviceOpenForm::Status) return {0, 0, OpenExisting, FlagDeleteOnClose};
    return {GenericAll, ShareReadWrite, OpenExisting, 0};
}

// An open device. Destroying it closes the handle, so an operation that returns
// early still closes what it opened.
class DeviceHandle {
public:
    virtual ~DeviceHandle() = default;
    // Sends the request `code` with an empty input buffer and an output buffer of
    // `outputSize` bytes (0 or 4) that starts as `*output` (preset by the caller).
    // Returns the call's success; on success with outputSize 4, *output holds the answer.
    virtual bool IoControl(std::uint32_t code, std::int32_t* output, std::uint32_t outputSize) = 0;
};

class DriverDevice {
public:
    virtual ~DriverDevice() = default;
    // Opens the device in the given form; nullptr when it cannot be opened (driver not loaded).
    virtual std::unique_ptr<DeviceHandle> Open(DeviceOpenForm form) = 0;
};

}  // namespace qv
