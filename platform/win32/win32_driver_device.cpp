// Win32DriverDevice: opening the driver's device and sending it requests with DeviceIoControl.
#include "platform/win32/win32_driver_device.h"

#include <windows.h>

#include "qvconfig/driver/driver_interface.h"

namespace qv {

namespace {

class Win32DeviceHandle : public DeviceHandle {
public:
    explicit Win32DeviceHandle(HANDLE handle) : handle_(handle) {}
    ~Win32DeviceHandle() override { ::CloseHandle(handle_); }
    Win32DeviceHandle(const Win32DeviceHandle&) = delete;
    Win32DeviceHandle& operator=(const Win32DeviceHandle&) = delete;

    // The driver expects a 32-bit zero as input, passed with size 0, and no
    // overlapped structure; a request without an answer still gets a zero buffer.
    bool IoControl(std::uint32_t code, std::int32_t* output, std::uint32_t outputSize) override {
        DWORD zeroInput = 0;
        std::int32_t noAnswer = 0;
        DWORD bytesReturned = 0;
        return ::DeviceIoControl(handle_, code, &zeroInput, 0, output ? output : &noAnswer, outputSize,
                                 &bytesReturned, nullptr) != FALSE;
    }

private:
    HANDLE handle_;
};

}  // namespace

std::unique_ptr<DeviceHandle> Win32DriverDevice::Open(DeviceOpenForm form) {
    const DeviceOpenParameters p = OpenParametersFor(form);
    HANDLE handle = ::CreateFileA(DevicePath, p.desiredAccess, p.shareMode, nullptr, p.creationDisposition,
                                  p.flagsAndAttributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32DeviceHandle>(handle);
}

}  // namespace qv
