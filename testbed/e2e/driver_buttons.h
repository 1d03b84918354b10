// The driver buttons of the configuration window as the tests read them, and what the driver left behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "platform/win32/win32_driver_device.h"
#include "qvconfig/driver/driver_interface.h"
#include "testbed/harness/program.h"
#include "testbed/harness/windows.h"

namespace qve2e {

const std::string kSavedCaption = "Quorvel Disk Image Saved";
const std::string kSavedText = "Disk image saved.";

// An installer run, the device probe and a cold Wine process together stay well below this.
constexpr int kOperationTimeoutMs = 20000;

// Which of the three driver buttons are enabled.
struct Buttons {
    bool enable;
    bool disable;
    bool saveImage;
    bool operator==(const Buttons& other) const {
        return enable == other.enable && disable == other.disable && saveImage == other.saveImage;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Buttons& b) {
    return out << "{Enable " << (b.enable ? "on" : "off") << ", Disable " << (b.disable ? "on" : "off")
               << ", Save Disk Image " << (b.saveImage ? "on" : "off") << "}";
}

constexpr Buttons kStopped{true, false, false};
constexpr Buttons kRunning{false, true, true};

inline Buttons ButtonsOf(const qvtest::AppWindow& editor) {
    return {qvtest::IsEnabled(editor.Control("enableButton")), qvtest::IsEnabled(editor.Control("disableButton")),
            qvtest::IsEnabled(editor.Control("saveDiskImageButton"))};
}

// The buttons once they show `expected`, or as they stand when the wait ran out.
inline Buttons AwaitButtons(const qvtest::AppWindow& editor, const Buttons& expected,
                            int timeoutMs = kOperationTimeoutMs) {
    qvtest::WaitUntil([&] { return ButtonsOf(editor) == expected; }, timeoutMs);
    return ButtonsOf(editor);
}

inline bool DeviceLoaded() { return qv::Win32DriverDevice().Open(qv::DeviceOpenForm::Status) != nullptr; }

inline std::optional<std::uint64_t> FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace qve2e
