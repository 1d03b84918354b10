// Win32DriverDevice: opening the driver's device and sending it requests with DeviceIoControl.
#include "platform/win32/win32_driver_device.h"

#include <windows.h>

#include "qvconfig/driver/driver_interface.h"

namespace qv {

// The platform header's copies of CreateFileA's numbers.
static_assert(device_open::GenericAll == GENERIC_ALL, "access");
static_assert(device_open::ShareReadWrite == (FILE_SHARE_READ | FILE_SHARE_WRITE), "share mode");
static_assert(device_open::OpenExisting == OPEN_EXISTING, "creation disposition");
static_assert(device_open::FlagDeleteOnClose == FILE_FLAG_DELETE_ON_CLOSE, "flags");

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
