// Win32DriverDevice: the driver's device \\.\QVDRIVER through CreateFileA and DeviceIoControl.
#pragma once

#include "platform/driver_device.h"

namespace qv {

// Opens the device with the access, share mode and flags of the requested form
// (no security attributes, OPEN_EXISTING, no template); nullptr when CreateFileA
// fails, which means the driver is not loaded. Each handle is closed with
// CloseHandle when it is destroyed.
class Win32DriverDevice : public DriverDevice {
public:
    std::unique_ptr<DeviceHandle> Open(DeviceOpenForm form) override;
};

}  // namespace qv
