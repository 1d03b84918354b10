// DriverDevice: opening the RAM-disk driver's device and sending it I/O-control requests.
#pragma once

#include <cstdint>
#include <memory>

namespace qv {

// The two ways the device is opened (their exact access, share and flag values are
// part of the driver interface in qvconfig/driver/driver_interface.h).
enum class DeviceOpenForm { Status, Command };

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
